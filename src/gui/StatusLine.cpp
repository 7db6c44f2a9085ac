#include "gui/StatusLine.h"

namespace quorvel {

namespace {

// "Quorvel 2.1" and "C++20 / Qt 6", kept scrambled so they do not stand in the binary as text.
constexpr std::string_view kFirstText = "\xd3\xf2\xe3\xe3\xe0\xfe\xcc\x85\x98\x81\x85";
constexpr std::string_view kSecondText = "\xc1\xac\xa7\xa3\xa6\xbb\x8f\x85\xfb\xdb\x94\x8f";

} // namespace

std::string unscrambleText(std::string_view text) {
    std::string plain(text);
    for (std::size_t i = 0; i < plain.size(); ++i) {
        const auto key = static_cast<unsigned char>((5 * (i + 1) + 125) % 239);
        const auto mixed = static_cast<unsigned char>(static_cast<unsigned char>(plain[i]) ^ key);
        if (mixed != 0) {
            plain[i] = static_cast<char>(mixed);
        }
    }
    return plain;
}

std::string statusLineText() {
    return unscrambleText(kFirstText) + "   " + unscrambleText(kSecondText);
}

} // namespace quorvel
