#include "engine/Wildcard.h"

#include "engine/AsciiFold.h"

#include <cstddef>

namespace quorvel {

namespace {

// Length of the character starting at `pos`: a well-formed UTF-8 sequence, otherwise one byte.
// The second byte's range rules out overlong forms, surrogates and code points past U+10FFFF.
std::size_t characterLength(std::string_view s, std::size_t pos) {
    const auto byteAt = [&](std::size_t i) { return static_cast<unsigned char>(s[pos + i]); };
    const unsigned char lead = byteAt(0);
    std::size_t length = 1;
    unsigned char secondLow = 0x80;
    unsigned char secondHigh = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        secondLow = lead == 0xE0 ? 0xA0 : 0x80;
        secondHigh = lead == 0xED ? 0x9F : 0xBF;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        secondLow = lead == 0xF0 ? 0x90 : 0x80;
        secondHigh = lead == 0xF4 ? 0x8F : 0xBF;
    }
    if (length == 1 || pos + length > s.size() || byteAt(1) < secondLow || byteAt(1) > secondHigh) {
        return 1;
    }
    for (std::size_t i = 2; i < length; ++i) {
        if ((byteAt(i) & 0xC0) != 0x80) {
            return 1;
        }
    }
    return length;
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
