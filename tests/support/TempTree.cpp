#include "support/TempTree.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>
#include <vector>

namespace quorvel::test {

namespace fs = std::filesystem;

TempTree::TempTree() {
    std::string pattern = (fs::temp_directory_path() / "quorvel-test-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) {
        throw std::runtime_error("mkdtemp failed");
    }
    root_ = pattern;
}

TempTree::~TempTree() {
    std::error_code ignored;
    // Make every directory writable and searchable again so that removal can go everywhere.
    for (auto it = fs::recursive_directory_iterator(
             root_, fs::directory_options::skip_permission_denied, ignored);
         it != fs::recursive_directory_iterator(); it.increment(ignored)) {
        if (it->is_directory(ignored) && !it->is_symlink(ignored)) {
            ::chmod(it->path().c_str(), 0700);
        }
    }
    ::chmod(root_.c_str(), 0700);
    fs::remove_all(root_, ignored);
}

void TempTree::write(const std::string& relative, const std::string& content) const {
    const auto full = fs::path(path(relative));
    fs::create_directories(full.parent_path());
    std::ofstream out(full, std::ios::binary | std::ios::trunc);
    out << content;
    if (!out) {
        throw std::runtime_error("cannot write " + full.string());
    }
}

void TempTree::writeSized(const std::string& relative, std::int64_t size, char fill) const {
    write(relative, std::string(static_cast<std::size_t>(size), fill));
}

void TempTree::sparse(const std::string& relative, std::int64_t size) const {
    write(relative, "");
    std::error_code error;
    fs::resize_file(path(relative), static_cast<std::uintmax_t>(size), error);
    if (error) {
        throw std::runtime_error("resize failed");
    }
}

void TempTree::mkdir(const std::string& relative) const {
    fs::create_directories(path(relative));
}

void TempTree::symlink(const std::string& target, const std::string& relative) const {
    const auto full = fs::path(path(relative));
    fs::create_directories(full.parent_path());
    if (::symlink(target.c_str(), full.c_str()) != 0) {
        throw std::runtime_error("symlink failed");
    }
}

void TempTree::fifo(const std::string& relative) const {
    const auto full = fs::path(path(relative));
    fs::create_directories(full.parent_path());
    if (::mkfifo(full.c_str(), 0600) != 0) {
        throw std::runtime_error("mkfifo failed");
    }
}

std::string TempTree::read(const std::string& relative) const {
    std::ifstream in(path(relative), std::ios::binary);
    if (!in) {
        throw std::runtime_error("cannot read " + path(relative));
    }
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string TempTree::listing(const std::string& relative) const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(relative.empty() ? root_ : path(relative))) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    std::string text;
    for (const auto& name : names) {
        text += (text.empty() ? "" : " ") + name;
    }
    return text;
}

} // namespace quorvel::test
