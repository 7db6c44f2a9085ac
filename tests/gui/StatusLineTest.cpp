#include "gui/StatusLine.h"

#include <gtest/gtest.h>

namespace quorvel {
namespace {

TEST(StatusLineTest, UnscramblingIsItsOwnInverse) {
    const std::string plain = "Any text, 123!";
    const std::string scrambled = unscrambleText(plain);
    EXPECT_NE(scrambled, plain);
    EXPECT_EQ(unscrambleText(scrambled), plain);
}

TEST(StatusLineTest, ACharacterEqualToItsKeyStaysUnchanged) {
    // Position 1 has the key (5 + 125) mod 239 = 130, position 2 the key 135.
    EXPECT_EQ(unscrambleText("\x82\x87"), "\x82\x87");
    EXPECT_EQ(unscrambleText("\x83"), "\x01");
    // Position 23 has the key 240 mod 239 = 1.
    std::string text(23, '\0');
    text[22] = 'A';
    EXPECT_EQ(static_cast<unsigned char>(unscrambleText(text)[22]), 'A' ^ 1);
}

TEST(StatusLineTest, TheStatusLineIsTwoReadableTextsJoinedByThreeBlanks) {
    EXPECT_EQ(statusLineText(), "Quorvel 2.1   C++20 / Qt 6");
}

} // namespace
} // namespace quorvel
