#include "Wildcard.h"

#include <cstddef>

namespace quorvel {

namespace {

unsigned char folded(char c) {
    const auto u = static_cast<unsigned char>(c);
    return (u >= 'A' && u <= 'Z') ? static_cast<unsigned char>(u - 'A' + 'a') : u;
}

// Length of the character starting at `pos`: a well-formed UTF-8 sequence, otherwise one byte.
std::size_t characterLength(std::string_view s, std::size_t pos) {
    const auto lead = static_cast<unsigned char>(s[pos]);
    std::size_t length = 1;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
    }
    if (pos + length > s.size()) {
        return 1;
    }
    for (std::size_t i = 1; i < length; ++i) {
        if ((static_cast<unsigned char>(s[pos + i]) & 0xC0) != 0x80) {
            return 1;
        }
    }
    return length;
}

} // namespace

bool matchesWildcard(std::string_view pattern, std::string_view name) {
    if (pattern == "*.*") {
        return true;
    }
    std::size_t p = 0;
    std::size_t n = 0;
    // Where to resume after the last "*": the pattern position after it and the name position
    // it has swallowed up to. Only the last star needs remembering, which keeps this polynomial.
    std::size_t starP = std::string_view::npos;
    std::size_t starN = 0;
    while (n < name.size()) {
        if (p < pattern.size() && pattern[p] == '*') {
            starP = ++p;
            starN = n;
        } else if (p < pattern.size() && pattern[p] == '?') {
            ++p;
            n += characterLength(name, n);
        } else if (p < pattern.size() && folded(pattern[p]) == folded(name[n])) {
            ++p;
            ++n;
        } else if (starP != std::string_view::npos) {
            starN += characterLength(name, starN);
            p = starP;
            n = starN;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*') {
        ++p;
    }
    return p == pattern.size();
}

} // namespace quorvel
