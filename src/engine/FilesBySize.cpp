#include "engine/FilesBySize.h"

#include "base/PathText.h"

#include <algorithm>
#include <limits>
#include <stdexcept>

namespace quorvel {

void FilesBySize::add(std::string_view directory, std::string_view name, std::int64_t size) {
    if (directories_.empty() ||
        arena_.view(directories_.back().at, directories_.back().length) != directory) {
        if (directories_.size() > std::numeric_limits<std::uint32_t>::max() ||
            directory.size() > std::numeric_limits<std::uint32_t>::max()) {
            throw std::length_error("too many directories");
        }
        directories_.push_back(
            {arena_.add(directory), static_cast<std::uint32_t>(directory.size())});
    }
    // No file system takes a longer name.
    if (name.size() > std::numeric_limits<std::uint16_t>::max()) {
        throw std::length_error("name too long");
    }
    File file;
    file.size = size;
    file.nameAt = arena_.add(name);
    file.directory = static_cast<std::uint32_t>(directories_.size() - 1);
    file.nameLength = static_cast<std::uint16_t>(name.size());
    files_.push_back(file);
}

void FilesBySize::seal() {
    std::sort(files_.begin(), files_.end(), [](const File& a, const File& b) {
        return a.size != b.size ? a.size < b.size : a.nameAt < b.nameAt;
    });
}

FilesBySize::OfSize FilesBySize::ofSize(std::int64_t size) {
    struct BySize {
        bool operator()(const File& file, std::int64_t size) const { return file.size < size; }
        bool operator()(std::int64_t size, const File& file) const { return size < file.size; }
    };
    const auto [first, last] = std::equal_range(files_.begin(), files_.end(), size, BySize{});
    return {first, last};
}

std::string FilesBySize::relativePath(const File& file) const {
    const auto& directory = directories_[file.directory];
    return relativeBelow(arena_.view(directory.at, directory.length),
                         arena_.view(file.nameAt, file.nameLength));
}

} // namespace quorvel
