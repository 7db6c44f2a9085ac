#include "report/Base64.h"
#include "report/Utf8Conversion.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace quorvel {
namespace {

const std::string kBad = "\xef\xbf\xbd";

TEST(TextEncoding, Base64TextIsDecodedOrRefusedWhole) {
    const struct {
        const char* name;
        std::string text;
        std::optional<std::string> bytes;
    } rows[] = {
        {"empty", "", ""},
        {"two pads", "Zg==", "f"},
        {"one pad", "Zm8=", "fo"},
        {"no pad", "Zm9v", "foo"},
        {"a pad after a whole group", "Zm9vYg==", "foob"},
        {"two whole groups", "Zm9vYmFy", "foobar"},
        {"the last two digits", "+/+/", "\xfb\xff\xbf"},
        {"decimal digits", "0123", "\xd3\x5d\xb7"},
        {"zeros", "AAAA", std::string(3, '\0')},
        {"a byte of one", "AQ==", "\x01"},
        {"a digit after a pad", "Zg=a", std::nullopt},
        {"three pads", "Z===", std::nullopt},
        {"only pads", "====", std::nullopt},
        {"a pad before the last group", "Zg==Zm9v", std::nullopt},
        {"a pad in a middle group", "Zm8=Zm9v", std::nullopt},
        {"three digits", "Zm9", std::nullopt},
        {"five digits", "Zm9vY", std::nullopt},
        {"a blank", "Zm 9", std::nullopt},
        {"URL alphabet", "Zm-_", std::nullopt},
        {"a byte above ASCII", "Zm9\xe9", std::nullopt},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(base64Decode(row.text), row.bytes);
        if (row.bytes) {
            EXPECT_EQ(base64Encode(*row.bytes), row.text);
        }
    }
    // Every byte value at each place of a group.
    std::string all;
    for (int b = 0; b < 256; ++b) {
        all += static_cast<char>(b);
    }
    for (std::size_t start = 0; start < 3; ++start) {
        for (std::size_t cut = 0; cut < 3; ++cut) {
            const std::string bytes = all.substr(start, all.size() - start - cut);
            EXPECT_EQ(base64Decode(base64Encode(bytes)), bytes) << start << " " << cut;
        }
    }
}

TEST(TextEncoding, EveryByteOutsideAValidSequenceBecomesOneReplacement) {
    const struct {
        const char* name;
        std::string text;
        std::string replaced;
    } rows[] = {
        {"empty", "", ""},
        {"ASCII with a control", "a\tb\x7f", "a\tb\x7f"},
        {"two bytes", "caf\xc3\xa9", "caf\xc3\xa9"},
        {"three bytes", "\xe2\x82\xac", "\xe2\x82\xac"},
        {"four bytes", "\xf0\x9d\x84\x9e", "\xf0\x9d\x84\x9e"},
        {"the highest character", "\xf4\x8f\xbf\xbf", "\xf4\x8f\xbf\xbf"},
        {"a byte of another encoding", "caf\xe9", "caf" + kBad},
        {"a lone continuation", "\x80x", kBad + "x"},
        {"a sequence cut at the end", "a\xe2\x82", "a" + kBad + kBad},
        {"a sequence cut by ASCII", "\xe2\x82x", kBad + kBad + "x"},
        {"an overlong form", "\xc0\xaf", kBad + kBad},
        {"an overlong three", "\xe0\x80\xaf", kBad + kBad + kBad},
        {"a surrogate", "\xed\xa0\x80", kBad + kBad + kBad},
        {"past the highest", "\xf4\x90\x80\x80", kBad + kBad + kBad + kBad},
        {"a lead byte alone", "\xff", kBad},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(replaceInvalidUtf8(row.text), row.replaced);
        EXPECT_EQ(isValidUtf8(row.text), row.replaced == row.text);
    }
}

TEST(TextEncoding, TextOfACharacterSetBecomesUtf8ByteForByte) {
    const struct {
        const char* name;
        std::string text;
        const char* charset;
        std::string utf8;
    } rows[] = {
        {"Latin-1", "caf\xe9", "ISO-8859-1", "caf\xc3\xa9"},
        {"longer than a buffer", std::string(300, '\xe9') + "!", "ISO-8859-1",
         [] {
             std::string s;
             for (int i = 0; i < 300; ++i) {
                 s += "\xc3\xa9";
             }
             return s + "!";
         }()},
        {"invalid in UTF-8",
         "a\xff"
         "b",
         "UTF-8", "a" + kBad + "b"},
        {"cut at the end", "a\xc3", "UTF-8", "a" + kBad},
        {"unknown character set",
         "a\xe9"
         "b",
         "NO-SUCH-SET", "a" + kBad + "b"},
        {"empty", "", "ISO-8859-1", ""},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(convertToUtf8(row.text, row.charset), row.utf8);
    }
}

} // namespace
} // namespace quorvel
