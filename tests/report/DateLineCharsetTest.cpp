// The page declares UTF-8, so its date line is UTF-8 whatever character set the locale uses.

#include "report/ReportDateTime.h"
#include "report/Utf8Conversion.h"

#include "support/ChildProcess.h"
#include "support/ScopedEnvironment.h"
#include "support/TempTree.h"

#include <gtest/gtest.h>

#include <clocale>
#include <ctime>
#include <string>
#include <unistd.h>

namespace quorvel {
namespace {

TEST(DateLineCharset, TextOfAnotherCharacterSetBecomesUtf8) {
    EXPECT_EQ(convertToUtf8("13 f\xe9vr. 2009 \xe0 23:31", "ISO-8859-1"), "13 févr. 2009 à 23:31");
    EXPECT_EQ(convertToUtf8("\xc7\xaf", "EUC-JP"), "年");
    EXPECT_EQ(convertToUtf8("02/13/09 23:31:30", "ANSI_X3.4-1968"), "02/13/09 23:31:30");
    EXPECT_EQ(convertToUtf8("", "ISO-8859-1"), "");
    // Bytes that the set does not hold, or a sequence cut off, become U+FFFD and the rest stays.
    EXPECT_EQ(convertToUtf8("a\x80"
                            "b",
                            "ANSI_X3.4-1968"),
              "a\uFFFD"
              "b");
    EXPECT_EQ(convertToUtf8("\xc3\xa9 \xc3", "UTF-8"), "é \uFFFD");
    EXPECT_EQ(convertToUtf8("x\xe9y", "NO-SUCH-CHARSET"), "x\uFFFDy");
    // Longer than one round of the conversion.
    EXPECT_EQ(convertToUtf8(std::string(1000, '\xe9'), "ISO-8859-1").size(), 2000u);
}

TEST(DateLineCharset, AnEucJpLocaleGivesAUtf8DateLine) {
    // The system holds no such locale; one is built for this test alone, where that is possible.
    if (::access("/usr/bin/localedef", X_OK) != 0 ||
        ::access("/usr/share/i18n/locales/ja_JP", R_OK) != 0) {
        GTEST_SKIP() << "no localedef or no ja_JP locale source";
    }
    test::TempTree scratch;
    test::runChild(
        {"/usr/bin/localedef", "-i", "ja_JP", "-f", "EUC-JP", scratch.path("ja_JP.EUC-JP")},
        scratch.root());
    if (::access(scratch.path("ja_JP.EUC-JP/LC_TIME").c_str(), R_OK) != 0) {
        GTEST_SKIP() << "localedef could not build ja_JP.EUC-JP";
    }
    const std::string oldTime = std::setlocale(LC_TIME, nullptr);
    std::string text;
    {
        const test::ScopedEnvironment locales("LOCPATH", scratch.root());
        const test::ScopedEnvironment zone("TZ", "UTC0");
        ::tzset();
        ASSERT_NE(std::setlocale(LC_TIME, "ja_JP.EUC-JP"), nullptr);
        text = localDateTimeText(1234567890);
        std::setlocale(LC_TIME, oldTime.c_str());
    }
    ::tzset();
    EXPECT_EQ(text, "2009年02月13日 23時31分30秒");
}

} // namespace
} // namespace quorvel
