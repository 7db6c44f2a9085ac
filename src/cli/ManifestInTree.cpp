#include "cli/ManifestInTree.h"

#include "base/PathText.h"
#include "report/AtomicFileWriter.h"
#include "report/DescriptorPath.h"

#include <climits>
#include <cstdlib>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

namespace quorvel {

namespace {

std::optional<std::string> realPath(const std::string& path) {
    const std::unique_ptr<char, decltype(&std::free)> resolved(::realpath(path.c_str(), nullptr),
                                                               &std::free);
    return resolved ? std::optional<std::string>(resolved.get()) : std::nullopt;
}

// The file a descriptor writes to, when it is a regular one.
std::optional<std::string> fileOfDescriptor(int fd) {
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        return std::nullopt;
    }
    char target[PATH_MAX];
    const auto link = "/proc/self/fd/" + std::to_string(fd);
    const ssize_t n = ::readlink(link.c_str(), target, sizeof target - 1);
    if (n <= 0 || target[0] != '/') {
        return std::nullopt;
    }
    return std::string(target, static_cast<std::size_t>(n));
}

} // namespace

ManifestInTree::ManifestInTree(const std::string& tree, const std::string& manifest,
                               const std::string& here) {
    std::optional<std::string> path;
    if (const auto fd = descriptorNamedBy(manifest)) {
        path = fileOfDescriptor(*fd);
    } else if (!manifest.empty()) {
        path = manifest.front() == '/' ? manifest : joinPath(here, manifest);
    }
    if (!path) {
        return;
    }
    // The folders resolved, as the walk reaches them; the name as it will be there.
    const auto folder = realPath(directoryOf(*path));
    const auto top = realPath(tree);
    if (!folder || !top) {
        return;
    }
    name_ = path->substr(path->rfind('/') + 1);
    if (*folder == *top) {
        folder_ = "";
    } else if (const auto prefix = *top == "/" ? *top : *top + "/"; folder->starts_with(prefix)) {
        folder_ = folder->substr(prefix.size());
    }
}

bool ManifestInTree::leavesOut(std::string_view relativePath) const {
    if (!folder_) {
        return false;
    }
    const auto slash = relativePath.rfind('/');
    const auto folder =
        slash == std::string_view::npos ? std::string_view() : relativePath.substr(0, slash);
    const auto name =
        slash == std::string_view::npos ? relativePath : relativePath.substr(slash + 1);
    return folder == *folder_ && (name == name_ || AtomicFileWriter::isTemporaryName(name));
}

} // namespace quorvel
