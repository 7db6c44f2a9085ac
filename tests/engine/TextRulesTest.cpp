#include "base/FileDescriptor.h"
#include "base/PathText.h"
#include "engine/FilterPatterns.h"
#include "engine/NameOrder.h"
#include "engine/Wildcard.h"
#include "lang/LanguageStrings.h"
#include "report/Report.h"
#include "report/ReportLineFormat.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fcntl.h>

namespace quorvel {
namespace {

TEST(Wildcard, StarQuestionMarkAndCase) {
    EXPECT_TRUE(matchesWildcard("*.txt", "notes.txt"));
    EXPECT_TRUE(matchesWildcard("*.txt", ".txt"));
    EXPECT_TRUE(matchesWildcard("*.TXT", "Notes.txt"));
    EXPECT_FALSE(matchesWildcard("*.txt", "notes.txt.bak"));
    EXPECT_TRUE(matchesWildcard("a*", "a"));
    EXPECT_TRUE(matchesWildcard("a*b*c", "aXbYbZc"));
    EXPECT_FALSE(matchesWildcard("a*b*c", "aXbYbZ"));
    EXPECT_TRUE(matchesWildcard("n?tes.txt", "notes.txt"));
    EXPECT_FALSE(matchesWildcard("n?tes.txt", "ntes.txt"));
    EXPECT_TRUE(matchesWildcard("?", "é")) << "a UTF-8 sequence is one character";
    EXPECT_FALSE(matchesWildcard("??", "é"));
    EXPECT_TRUE(matchesWildcard("?", "\xff")) << "a stray byte counts as one character";
    EXPECT_FALSE(matchesWildcard("É*", "é")) << "only ASCII letters ignore case";
    EXPECT_FALSE(matchesWildcard("", "a"));
    EXPECT_FALSE(matchesWildcard("[a]", "a")) << "brackets are not special";
    EXPECT_TRUE(matchesWildcard("[a]", "[A]"));
    // A stray byte of a pattern never matches part of a character of the name.
    EXPECT_FALSE(matchesWildcard("a*\xE2?\xAC", "a\xE2\xEF\xE2\x82\xAC"));
    EXPECT_TRUE(matchesWildcard("???", "\xE0\x80\x80")) << "an overlong form is three stray bytes";
    // A continuation byte at the top of its range still belongs to the character.
    for (const char* name : {"\xC2\xBF.txt", "\xC3\xBF.txt", "\xE0\xBF\xBF.txt", "\xEF\xBF\xBD.txt",
                             "\xF0\xBF\xBF\xBF.txt"}) {
        EXPECT_TRUE(matchesWildcard("?.txt", name)) << name;
        EXPECT_FALSE(matchesWildcard("??.txt", name)) << name;
    }
}

TEST(Wildcard, StarDotStarMatchesNamesWithAndWithoutADot) {
    EXPECT_TRUE(matchesWildcard("*.*", "Makefile"));
    EXPECT_TRUE(matchesWildcard("*.*", "a.b.c"));
    EXPECT_TRUE(matchesWildcard("*.*", ".hidden"));
    EXPECT_FALSE(matchesWildcard("a*.*", "abc"));
}

TEST(Wildcard, ManyStarsAgainstALongNameStayFast) {
    // Backtracking matchers take exponential time here; this one finishes at once.
    const std::string pattern = std::string(60, '*') + "b";
    const std::string name(100000, 'a');
    EXPECT_FALSE(matchesWildcard(pattern, name));
    EXPECT_TRUE(matchesWildcard(pattern, name + "b"));
}

TEST(FilterPatterns, SplitsTrimsAndKeepsTheOrder) {
    using V = std::vector<std::string>;
    EXPECT_EQ(filterPatterns("*.txt;*.doc"), (V{"*.txt", "*.doc"}));
    EXPECT_EQ(filterPatterns(" *.txt; *.doc "), (V{"*.txt", "*.doc"}));
    EXPECT_EQ(filterPatterns("*.txt;"), (V{"*.txt"})) << "a trailing ; adds no pattern";
    EXPECT_EQ(filterPatterns(""), (V{""})) << "an empty filter compares nothing";
    EXPECT_EQ(filterPatterns("\t*.*\n"), (V{"*.*"}));
    EXPECT_EQ(filterPatterns(";a"), (V{"", "a"}));
    EXPECT_EQ(filterPatterns("a;;b"), (V{"a", "", "b"}));
    // Only blanks and control bytes are trimmed: "!" is a character of the pattern.
    EXPECT_EQ(filterPatterns("!x"), (V{"!x"}));
    EXPECT_EQ(filterPatterns("x!"), (V{"x!"}));
    EXPECT_EQ(filterPatterns(" !x ;*.c"), (V{"!x", "*.c"}));
    EXPECT_FALSE(matchesWildcard("!x", "x"));
    EXPECT_TRUE(matchesWildcard("!x", "!x"));
    const auto [pattern, rest] = nextPattern(" a ; b ;c");
    EXPECT_EQ(pattern, "a");
    EXPECT_EQ(rest, " b ;c") << "the remaining text is left as it is";
}

TEST(NameOrder, FoldsAsciiCapitalsAndBreaksTiesByBytes) {
    std::vector<std::string> names{"b", "B", "a.txt", "A.TXT", "_x", "Z", "é", "10", "9"};
    std::sort(names.begin(), names.end(), nameLess);
    // Capitals read as small letters, so "_" (0x5F) comes before every letter.
    const std::vector<std::string> expected{"10", "9", "_x", "A.TXT", "a.txt", "B", "b", "Z", "é"};
    EXPECT_EQ(names, expected);
}

TEST(PathText, TrailingSlashAndRoot) {
    EXPECT_EQ(runDirectory("/work/"), "/work");
    EXPECT_EQ(runDirectory("/work"), "/work");
    EXPECT_EQ(runDirectory("/"), "/");
    EXPECT_EQ(joinPath("/", "name"), "/name");
    EXPECT_EQ(joinPath("/work", "name"), "/work/name");
}

TEST(ByteSize, KilobytesUpToOneMegabyteThenMegabytes) {
    EXPECT_EQ(formatByteSize(0, "."), "0.00 KB");
    EXPECT_EQ(formatByteSize(1536, "."), "1.50 KB");
    EXPECT_EQ(formatByteSize(1048576, "."), "1024.00 KB");
    EXPECT_EQ(formatByteSize(1048577, "."), "1.00 MB");
    EXPECT_EQ(formatByteSize(5.0 * 1048576, "."), "5.00 MB");
    EXPECT_EQ(formatByteSize(1536, ","), "1,50 KB");
    // 5.125 KB is exactly half a hundredth: away from zero.
    EXPECT_EQ(formatByteSize(5248, "."), "5.13 KB");
    EXPECT_EQ(formatByteSize(5 * 1024 + 5, "."), "5.00 KB");
    EXPECT_EQ(formatByteSize(10.0 * 1024 * 1048576 * 1024, "."), "10485760.00 MB");
}

TEST(ResultLine, EveryShapeInEnglish) {
    LanguageStrings en;
    en.fillFrom(kEnglish);
    const std::pair<CompareResult, const char*> cases[] = {
        {CompareResult::Equal, "notes.txt: equal."},
        {CompareResult::NotFoundIn2nd, ">>>> notes.txt: not found in 2nd directory!"},
        {CompareResult::ErrorReading1st, ">>>> notes.txt: error reading 1st file!"},
        {CompareResult::DifferentContents, ">>>> notes.txt: different contents!"},
        {CompareResult::FirstTruncated, ">>>> notes.txt: 1st file appears truncated!"},
        {CompareResult::SecondTruncated, ">>>> notes.txt: 2nd file appears truncated!"},
        {CompareResult::Interrupted, ">>>> notes.txt: comparison interrupted by user!"},
        {CompareResult::EqualMaybe, "notes.txt: equal (maybe...)."},
        {CompareResult::DifferentSize, ">>>> notes.txt: different size!"},
    };
    for (const auto& [result, line] : cases) {
        EXPECT_EQ(std::string(resultMark(result)) + formatResultText("notes.txt", result, en),
                  line);
    }
}

TEST(ResultLine, ControlBytesOfANameBecomeQuestionMarks) {
    LanguageStrings en;
    en.fillFrom(kEnglish);
    EXPECT_EQ(formatResultText("a\nb\tc\x1b.txt", CompareResult::Equal, en), "a?b?c?.txt: equal.");
    EXPECT_EQ(reportSafe("caf\xc3\xa9 \x7f"), "caf\xc3\xa9 \x7f") << "only bytes below 0x20";
}

TEST(Report, KeepsEachLinesKindAndAPairsResult) {
    Report report;
    report.appendReportLine("Comparison of directory /a", ReportLineKind::Heading);
    report.appendReportLine("");
    report.appendPairLine(">>>> ", "x: different contents!",
                          {"sub", "x", CompareResult::DifferentContents, 3, 4, 0});
    report.appendReportLine(">>>> y: equal.");
    const auto revision = report.revision();
    report.appendPairLine("", ">>>> y: equal.", {"", ">>>> y", CompareResult::Equal, {}, {}, 0});
    EXPECT_NE(report.revision(), revision);
    EXPECT_EQ(report.kind(0), ReportLineKind::Heading);
    EXPECT_EQ(report.kind(1), ReportLineKind::Blank) << "plain empty text is a blank line";
    EXPECT_EQ(report.kind(2), ReportLineKind::Pair);
    EXPECT_EQ(report.result(2), CompareResult::DifferentContents);
    EXPECT_EQ(report.kind(3), ReportLineKind::Text) << "plain text is never read as a pair";
    EXPECT_EQ(report.result(3), std::nullopt);
    EXPECT_EQ(report.result(4), CompareResult::Equal);
    EXPECT_EQ(report.line(5), "");
    EXPECT_EQ(report.kind(5), ReportLineKind::Blank) << "past the end";
    EXPECT_EQ(report.result(5), std::nullopt);
    ASSERT_TRUE(report.pair(2));
    EXPECT_EQ(report.pair(2)->directory, "sub");
    EXPECT_EQ(report.pair(2)->rightSize, 4);
    EXPECT_EQ(report.unmarkedText(2), "x: different contents!");
    EXPECT_EQ(report.unmarkedText(4), ">>>> y: equal.") << "a name's own mark stays";
    EXPECT_FALSE(report.pair(3));
    EXPECT_EQ(report.pair(4)->name, ">>>> y");
}

TEST(FileDescriptor, ClosesOnceWhereverItIsMoved) {
    const int fd = ::open("/dev/null", O_RDONLY);
    ASSERT_GE(fd, 0);
    {
        FileDescriptor first(fd);
        FileDescriptor second(std::move(first));
        EXPECT_FALSE(first.isOpen());
        FileDescriptor third;
        third = std::move(second);
        EXPECT_EQ(third.get(), fd);
        EXPECT_NE(::fcntl(fd, F_GETFD), -1);
    }
    EXPECT_EQ(::fcntl(fd, F_GETFD), -1);
}

} // namespace
} // namespace quorvel
