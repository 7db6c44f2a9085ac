#include "engine/Wildcard.h"

#include "base/AsciiFold.h"
#include "base/Utf8Sequence.h"

#include <cstddef>

namespace quorvel {

namespace {

// Length of the character starting at `pos`: a well-formed UTF-8 sequence, otherwise one byte.
std::size_t characterLength(std::string_view s, std::size_t pos) {
    const std::size_t length = utf8SequenceLength(s.substr(pos));
    return length == 0 ? 1 : length;
}

// Whether the pattern's character at `p` is the name's character at `n`, and its length. Whole
// characters are compared, so a stray byte of the pattern never matches part of a sequence.
std::size_t matchedLength(std::string_view pattern, std::size_t p, std::string_view name,
                          std::size_t n) {
    if (static_cast<unsigned char>(pattern[p]) < 0x80) {
        return foldAsciiCase(pattern[p]) == foldAsciiCase(name[n]) ? 1 : 0;
    }
    const std::size_t length = characterLength(pattern, p);
    return characterLength(name, n) == length && pattern.substr(p, length) == name.substr(n, length)
               ? length
               : 0;
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
        } else if (const std::size_t length =
                       p < pattern.size() ? matchedLength(pattern, p, name, n) : 0;
                   length > 0) {
            p += length;
            n += length;
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
