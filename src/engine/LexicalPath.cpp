#include "engine/LexicalPath.h"

#include <vector>

namespace quorvel {

std::string lexicallyAbsolute(std::string_view path, std::string_view currentDirectory) {
    std::string joined;
    if (path.empty() || path.front() != '/') {
        joined = currentDirectory;
        joined += '/';
    }
    joined += path;

    std::vector<std::string_view> parts;
    std::string_view rest(joined);
    while (!rest.empty()) {
        const auto slash = rest.find('/');
        const auto part = rest.substr(0, slash);
        rest = slash == std::string_view::npos ? std::string_view() : rest.substr(slash + 1);
        if (part.empty() || part == ".") {
            continue;
        }
        if (part == "..") {
            if (!parts.empty()) {
                parts.pop_back();
            }
            continue;
        }
        parts.push_back(part);
    }
    std::string normal;
    for (const auto part : parts) {
        normal += '/';
        normal += part;
    }
    return normal.empty() ? "/" : normal;
}

std::string parentOf(std::string_view normalPath) {
    const auto slash = normalPath.rfind('/');
    if (slash == std::string_view::npos || slash == 0) {
        return "/";
    }
    return std::string(normalPath.substr(0, slash));
}

std::string nameOf(std::string_view normalPath) {
    const auto slash = normalPath.rfind('/');
    return std::string(slash == std::string_view::npos ? normalPath : normalPath.substr(slash + 1));
}

} // namespace quorvel
