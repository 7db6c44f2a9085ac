#include "fuzz/ReferenceWildcard.h"

#include <algorithm>
#include <cstddef>
#include <vector>

namespace quorvel::fuzz {

namespace {

bool inRange(unsigned char c, unsigned lo, unsigned hi) {
    return c >= lo && c <= hi;
}

// The well-formed byte sequences of UTF-8, straight from the Unicode standard's table: the lead
// byte decides the length and the range allowed for the second byte.
std::size_t sequenceLength(std::string_view s, std::size_t pos) {
    const auto at = [&](std::size_t i) { return static_cast<unsigned char>(s[pos + i]); };
    const unsigned char lead = at(0);
    std::size_t length = 1;
    unsigned secondLo = 0x80;
    unsigned secondHi = 0xBF;
    if (inRange(lead, 0xC2, 0xDF)) {
        length = 2;
    } else if (lead == 0xE0) {
        length = 3;
        secondLo = 0xA0;
    } else if (inRange(lead, 0xE1, 0xEC) || inRange(lead, 0xEE, 0xEF)) {
        length = 3;
    } else if (lead == 0xED) {
        length = 3;
        secondHi = 0x9F;
    } else if (lead == 0xF0) {
        length = 4;
        secondLo = 0x90;
    } else if (inRange(lead, 0xF1, 0xF3)) {
        length = 4;
    } else if (lead == 0xF4) {
        length = 4;
        secondHi = 0x8F;
    }
    if (length == 1 || pos + length > s.size() || !inRange(at(1), secondLo, secondHi)) {
        return 1;
    }
    for (std::size_t i = 2; i < length; ++i) {
        if (!inRange(at(i), 0x80, 0xBF)) {
            return 1;
        }
    }
    return length;
}

std::vector<std::string_view> characters(std::string_view s) {
    std::vector<std::string_view> out;
    for (std::size_t pos = 0; pos < s.size();) {
        const std::size_t length = sequenceLength(s, pos);
        out.push_back(s.substr(pos, length));
        pos += length;
    }
    return out;
}

char folded(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool sameCharacter(std::string_view a, std::string_view b) {
    if (a.size() == 1 && b.size() == 1) {
        return folded(a[0]) == folded(b[0]);
    }
    return a == b;
}

} // namespace

bool referenceMatch(std::string_view pattern, std::string_view name) {
    if (pattern == "*.*") {
        return true;
    }
    const std::vector<std::string_view> p = characters(pattern);
    const std::vector<std::string_view> n = characters(name);
    // row[j]: the pattern characters from i on match the name characters from j on.
    std::vector<char> row(n.size() + 1, false);
    std::vector<char> above(n.size() + 1);
    row[n.size()] = true;
    for (std::size_t i = p.size(); i-- > 0;) {
        std::fill(above.begin(), above.end(), false);
        for (std::size_t j = n.size() + 1; j-- > 0;) {
            if (p[i] == "*") {
                above[j] = row[j] || (j < n.size() && above[j + 1]);
            } else if (j < n.size() && (p[i] == "?" || sameCharacter(p[i], n[j]))) {
                above[j] = row[j + 1];
            }
        }
        row.swap(above);
    }
    return row[0];
}

} // namespace quorvel::fuzz
