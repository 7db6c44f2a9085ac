#include "base/PathText.h"

namespace quorvel {

std::string runDirectory(std::string_view directory) {
    if (directory.size() > 1 && directory.back() == '/') {
        directory.remove_suffix(1);
    }
    return std::string(directory);
}

std::string directoryOf(std::string_view path) {
    const auto slash = path.rfind('/');
    if (slash == std::string_view::npos) {
        return ".";
    }
    return slash == 0 ? "/" : std::string(path.substr(0, slash));
}

std::string joinPath(std::string_view directory, std::string_view name) {
    std::string path(directory);
    if (path.empty() || path.back() != '/') {
        path += '/';
    }
    path += name;
    return path;
}

std::string relativeBelow(std::string_view relative, std::string_view name) {
    return relative.empty() ? std::string(name) : joinPath(relative, name);
}

} // namespace quorvel
