#include "gui/PathShortening.h"

namespace quorvel {

namespace {

constexpr std::string_view kEllipsis = ".../";
constexpr std::string_view kRootEllipsis = "/.../";

} // namespace

std::string cutFirstDirectory(std::string_view directoryPart) {
    if (directoryPart == "/") {
        return {};
    }
    const bool rooted = directoryPart.starts_with('/');
    std::string_view rest = directoryPart.substr(rooted ? 1 : 0);
    // Only an earlier cut is skipped: a hidden directory such as ".config" is a name of its own.
    if (rest.starts_with(kEllipsis)) {
        rest.remove_prefix(kEllipsis.size());
    }
    std::string cut;
    if (const auto slash = rest.find('/'); slash != std::string_view::npos) {
        cut = std::string(kEllipsis) + std::string(rest.substr(slash + 1));
    }
    return rooted ? "/" + cut : cut;
}

std::string shortenPathToWidth(std::string_view path, int maxWidth, const TextWidth& width) {
    std::string result(path);
    const auto lastSlash = path.rfind('/');
    std::string directory(lastSlash == std::string_view::npos ? std::string_view()
                                                              : path.substr(0, lastSlash + 1));
    const std::string_view name =
        lastSlash == std::string_view::npos ? path : path.substr(lastSlash + 1);
    while (!directory.empty() && width(result) > maxWidth) {
        if (directory == kRootEllipsis) {
            directory = kEllipsis;
        } else {
            directory = cutFirstDirectory(directory);
        }
        result = directory + std::string(name);
    }
    return result;
}

} // namespace quorvel
