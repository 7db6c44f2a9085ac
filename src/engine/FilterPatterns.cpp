#include "engine/FilterPatterns.h"

namespace quorvel {

namespace {

bool isTrimmed(char c) {
    return static_cast<unsigned char>(c) < 33;
}

} // namespace

std::string_view trimFilterText(std::string_view text) {
    while (!text.empty() && isTrimmed(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && isTrimmed(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

std::pair<std::string, std::string> nextPattern(std::string_view remaining) {
    const auto semicolon = remaining.find(';');
    if (semicolon == std::string_view::npos) {
        return {std::string(trimFilterText(remaining)), std::string()};
    }
    return {std::string(trimFilterText(remaining.substr(0, semicolon))),
            std::string(remaining.substr(semicolon + 1))};
}

std::vector<std::string> filterPatterns(std::string_view filter) {
    std::vector<std::string> patterns;
    std::string remaining(trimFilterText(filter));
    do {
        auto [pattern, rest] = nextPattern(remaining);
        patterns.push_back(std::move(pattern));
        remaining = std::move(rest);
    } while (!remaining.empty());
    return patterns;
}

} // namespace quorvel
