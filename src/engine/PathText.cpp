#include "engine/PathText.h"

namespace quorvel {

std::string runDirectory(std::string_view directory) {
    if (directory.size() > 1 && directory.back() == '/') {
        directory.remove_suffix(1);
    }
    return std::string(directory);
}

std::string joinPath(std::string_view directory, std::string_view name) {
    std::string path(directory);
    if (path.empty() || path.back() != '/') {
        path += '/';
    }
    path += name;
    return path;
}

} // namespace quorvel
