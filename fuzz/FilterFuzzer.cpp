// Splitting a filter into patterns, against the rule written out: trim the text, cut it at every
// ";", trim each piece, and drop the empty piece a final ";" leaves.
#include "engine/FilterPatterns.h"
#include "fuzz/FuzzCheck.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

using quorvel::filterPatterns;
using quorvel::nextPattern;
using quorvel::trimFilterText;
using quorvel::fuzz::check;

namespace {

bool isTrimmed(char c) {
    return static_cast<unsigned char>(c) < 33;
}

std::string withoutEnds(std::string_view text) {
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && isTrimmed(text[begin])) {
        ++begin;
    }
    while (end > begin && isTrimmed(text[end - 1])) {
        --end;
    }
    return std::string(text.substr(begin, end - begin));
}

std::vector<std::string> expectedPatterns(std::string_view filter) {
    const std::string text = withoutEnds(filter);
    std::vector<std::string> pieces;
    std::string piece;
    for (const char c : text) {
        if (c == ';') {
            pieces.push_back(piece);
            piece.clear();
        } else {
            piece += c;
        }
    }
    if (!text.ends_with(';')) {
        pieces.push_back(piece);
    }
    for (std::string& p : pieces) {
        p = withoutEnds(p);
    }
    return pieces;
}

std::string joined(const std::vector<std::string>& patterns, std::string_view separator) {
    std::string out;
    for (std::size_t i = 0; i < patterns.size(); ++i) {
        if (i > 0) {
            out += separator;
        }
        out += patterns[i];
    }
    return out;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view filter(reinterpret_cast<const char*>(data), size);

    const std::vector<std::string> patterns = filterPatterns(filter);
    check(patterns == expectedPatterns(filter), "the patterns are the trimmed pieces");
    for (const std::string& p : patterns) {
        check(p.find(';') == std::string::npos, "no pattern holds a ;");
        check(p.empty() || (!isTrimmed(p.front()) && !isTrimmed(p.back())),
              "no pattern starts or ends with a blank or control byte");
    }

    check(trimFilterText(filter) == withoutEnds(filter),
          "trimming removes the bytes below 33 at both ends, nothing else");

    // One step: the text up to the first ";" trimmed, and everything after it left as it was.
    const auto [first, rest] = nextPattern(filter);
    const std::size_t semicolon = filter.find(';');
    check(first == trimFilterText(filter.substr(0, semicolon)), "a step trims the first piece");
    check(rest == (semicolon == std::string_view::npos ? std::string_view()
                                                       : filter.substr(semicolon + 1)),
          "a step leaves the rest untouched");

    // Written back with ";" and with blanks and controls around every ";", the list is the same,
    // unless its last pattern is empty: a final ";" adds no pattern.
    if (patterns.size() == 1 || !patterns.back().empty()) {
        check(filterPatterns(joined(patterns, ";")) == patterns, "joining with ; round trips");
        check(filterPatterns(" \t" + joined(patterns, " \x01; \n") + "\r ") == patterns,
              "blanks around the separators do not matter");
    }
    return 0;
}
