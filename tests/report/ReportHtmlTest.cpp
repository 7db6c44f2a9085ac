#include "report/HtmlEscape.h"
#include "report/ReportDateTime.h"
#include "report/ReportHtmlWriter.h"
#include "report/ReportTextWriter.h"
#include "report/Utf8Conversion.h"

#include "support/EngineFixture.h"
#include "support/ExpectedReport.h"
#include "support/ScopedEnvironment.h"
#include "support/TempTree.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <clocale>
#include <cstdlib>
#include <regex>
#include <string>
#include <vector>

namespace quorvel {
namespace {

const std::string& kRule = test::kBlockRule;

// A report with each line of the kind a run gives a line of that shape.
Report makeReport(const std::vector<std::string>& lines) {
    Report report;
    bool heading = true;
    for (const auto& line : lines) {
        if (line.empty()) {
            heading = false;
            report.appendReportLine(line, ReportLineKind::Blank);
        } else if (heading) {
            report.appendReportLine(line, ReportLineKind::Heading);
        } else if (line == kRule) {
            report.appendReportLine(line, ReportLineKind::SubdirectoryRule);
        } else if (line.starts_with("SUBDIR: ")) {
            report.appendReportLine(line, ReportLineKind::SubdirectoryName);
        } else if (line.starts_with(">>>> ")) {
            report.appendPairLine(">>>> ", line.substr(5),
                                  {"", "", CompareResult::DifferentContents, {}, {}, 0});
        } else {
            report.appendReportLine(line);
        }
    }
    return report;
}

// The page cut at CR LF; the last element is what follows the last line end.
std::vector<std::string> pageLines(const std::string& page) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (auto end = page.find("\r\n"); end != std::string::npos; end = page.find("\r\n", start)) {
        lines.push_back(page.substr(start, end - start));
        start = end + 2;
    }
    lines.push_back(page.substr(start));
    return lines;
}

// The lines after "<body>" up to the one holding the closing "</p>".
std::vector<std::string> bodyOf(const std::vector<std::string>& lines) {
    return std::vector<std::string>(lines.begin() + 3, lines.end() - 3);
}

std::vector<std::string> htmlBody(const std::vector<std::string>& reportLines) {
    return bodyOf(pageLines(formatReportHtml(makeReport(reportLines), "T", "D")));
}

TEST(EscapeHtml, ReplacesExactlyTheFourMarkupCharacters) {
    EXPECT_EQ(escapeHtml(R"(a"b&c<d>e)"), "a&quot;b&amp;c&lt;d&gt;e");
    EXPECT_EQ(escapeHtml("it's\there 2\xC2\xB0 dir &amp;"), "it's\there 2\xC2\xB0 dir &amp;amp;");
    EXPECT_EQ(escapeHtml(""), "");
}

TEST(ReportHtml, WorkedExampleLineForLine) {
    const Report report = makeReport({
        "Comparison of directory /work",
        "with directory /backup",
        "(filter:  *.txt)",
        "",
        kRule,
        "SUBDIR: src",
        kRule,
        ">>>> notes.txt: different contents!",
        "",
        "Comparison terminated.",
        "Compared 3 file(s);  0.50 KB",
        "Equal: 2;   different: 1",
    });
    LanguageStrings strings;
    strings.fillFrom(kEnglish);
    test::TempTree scratch;
    writeReportHtml(report, scratch.path("report.html"), strings, 1234567890);

    const auto lines = pageLines(scratch.read("report.html"));
    ASSERT_EQ(lines.size(), 18u);
    const std::vector<std::string> expected = {
        "<html>",
        R"(<head><meta charset="utf-8"><title>Quorvel - comparison report</title></head>)",
        "<body>",
        R"(<h3 align="center">Comparison of directory /work<br>)",
        "with directory /backup<br>",
        "(filter:  *.txt)<br>",
        "</h3>",
        "<p></p>",
        "<p><u>SUBDIR: src</u><br>",
        R"(<font color="#FF0000"><b>notes.txt: different contents!</b></font><br>)",
        "</p><hr><p>",
        "Comparison terminated.<br>",
        "Compared 3 file(s);  0.50 KB<br>",
        "Equal: 2;   different: 1<br>",
        "</p>",
        "DATE",
        "</body>",
        "</html>",
    };
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i == 15) {
            // The "C" locale of a test process: MM/DD/YY HH:MM:SS.
            EXPECT_TRUE(
                std::regex_match(lines[i], std::regex(R"(<p>\d\d/\d\d/\d\d \d\d:\d\d:\d\d</p>)")))
                << lines[i];
        } else {
            EXPECT_EQ(lines[i], expected[i]) << "output line " << i + 1;
        }
    }
}

TEST(ReportHtml, DateLineIsTheGivenMomentInTheLocaleFormats) {
    ASSERT_NE(std::setlocale(LC_TIME, "C"), nullptr);
    std::string text;
    {
        const test::ScopedEnvironment zone("TZ", "UTC0");
        ::tzset();
        text = localDateTimeText(1234567890);
    }
    ::tzset();
    EXPECT_EQ(text, "02/13/09 23:31:30");

    const auto lines = pageLines(formatReportHtml(makeReport({"h"}), "T", "a<b"));
    EXPECT_EQ(lines[lines.size() - 3], "<p>a&lt;b</p>");
}

TEST(ReportHtml, TitleIsWrittenUnescaped) {
    const auto lines = pageLines(formatReportHtml(makeReport({}), "R&D <x>", "D"));
    EXPECT_EQ(lines[1], "<head><meta charset=\"utf-8\"><title>R&D <x></title></head>");
}

TEST(ReportHtml, HeadingLinesAreEscapedAndNeverClassified) {
    const auto body = htmlBody({R"((filter:  R&D"<x>".txt))", kRule, ">>>> a: b", "", "x"});
    const std::vector<std::string> expected = {
        "<h3 align=\"center\">(filter:  R&amp;D&quot;&lt;x&gt;&quot;.txt)<br>",
        kRule + "<br>",
        "&gt;&gt;&gt;&gt; a: b<br>",
        "</h3>",
        "<p>x<br>",
        "</p>",
    };
    EXPECT_EQ(body, expected);
}

TEST(ReportHtml, EmptyFirstLineGivesAnEmptyHeading) {
    const std::vector<std::string> expected = {"<h3 align=\"center\"></h3>", "<p>first<br>",
                                               "</p><hr><p>", "last<br>", "</p>"};
    EXPECT_EQ(htmlBody({"", "first", "", "last"}), expected);
}

TEST(ReportHtml, ReportWithoutEmptyLineIsAllHeading) {
    const std::vector<std::string> expected = {"<h3 align=\"center\">one<br>", "two<br>", "</h3>",
                                               "<p></p>"};
    EXPECT_EQ(htmlBody({"one", "two"}), expected);
    EXPECT_EQ(htmlBody({}), (std::vector<std::string>{"<h3 align=\"center\"></h3>", "<p></p>"}));
}

TEST(ReportHtml, EachEmptyBodyLineIsARuleOnly) {
    const std::vector<std::string> expected = {
        "<h3 align=\"center\">h<br>", "</h3>", "<p></p><hr><p>", "</p><hr><p>", "s<br>", "</p>"};
    EXPECT_EQ(htmlBody({"h", "", "", "", "s"}), expected);
}

TEST(ReportHtml, ASubdirectoryBlockIsItsNameUnderlinedWithoutItsRules) {
    const std::vector<std::string> expected = {
        "<h3 align=\"center\">h<br>",    "</h3>", "<p>a<br>", "</p>",
        "<p><u>SUBDIR: a&amp;b</u><br>", "x<br>", "</p>",
    };
    EXPECT_EQ(htmlBody({"h", "", "a", kRule, "SUBDIR: a&b", kRule, "x"}), expected);
}

TEST(ReportHtml, OnlyTheExactRuleStartsASubdirectoryBlock) {
    const std::vector<std::string> expected = {
        "<h3 align=\"center\">h<br>", "</h3>",
        "<p>_draft.txt: equal.<br>",  "a.txt: equal.<br>",
        "b.txt: equal.<br>",          kRule + "_<br>",
        kRule + ": equal.<br>",       "</p>",
    };
    EXPECT_EQ(htmlBody({"h", "", "_draft.txt: equal.", "a.txt: equal.", "b.txt: equal.",
                        kRule + "_", kRule + ": equal."}),
              expected);
}

TEST(ReportHtml, DifferenceLinesLoseTheMarkAndFollowingBlanksOnly) {
    const std::vector<std::string> expected = {
        "<h3 align=\"center\">h<br>",
        "</h3>",
        "<p><font color=\"#FF0000\"><b>notes.txt: different size!</b></font><br>",
        "<font color=\"#FF0000\"><b>spaced &amp; name: different contents!</b></font><br>",
        "<font color=\"#FF0000\"><b>&gt;arrow: different contents!</b></font><br>",
        "&gt;equal.txt: equal.<br>",
        "&gt;&gt;&gt;&gt;tight: equal.<br>",
        "</p>",
    };
    EXPECT_EQ(
        htmlBody({"h", "", ">>>> notes.txt: different size!",
                  ">>>>    spaced & name: different contents!", ">>>> >arrow: different contents!",
                  ">equal.txt: equal.", ">>>>tight: equal."}),
        expected);
}

TEST(ReportHtml, BytesThatAreNotUtf8BecomeReplacementCharactersAndUtf8PassesUnchanged) {
    const std::string replacement = "\xEF\xBF\xBD";
    EXPECT_EQ(htmlBody({"2\xC2\xB0 directory \xE9\xFF"}).front(),
              "<h3 align=\"center\">2\xC2\xB0 directory " + replacement + replacement + "<br>");
    struct Row {
        const char* name;
        std::string text;
        std::string expected;
    };
    const Row rows[] = {
        {"ASCII and two to four bytes", "a\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80",
         "a\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80"},
        {"a lone continuation byte",
         "a\x80"
         "b",
         "a" + replacement + "b"},
        {"an overlong slash", "\xC0\xAF", replacement + replacement},
        {"a surrogate", "\xED\xA0\x80", replacement + replacement + replacement},
        {"past U+10FFFF", "\xF4\x90\x80\x80",
         replacement + replacement + replacement + replacement},
        {"cut at the end", "ok\xE2\x82", "ok" + replacement + replacement},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(replaceInvalidUtf8(row.text), row.expected);
    }
}

class ReportHtmlOfARun : public test::EngineFixture {};

TEST_F(ReportHtmlOfARun, NamesThatLookLikeMarksOrRulesAreStyledByWhatTheRunWrote) {
    const std::string marked = ">>>> x";
    tree.write("L/" + marked, "1");
    tree.write("R/" + marked, "1");
    tree.write("L/" + kRule, "1");
    tree.write("R/" + kRule, "1");
    tree.write("L/sub/>>>> y", "1");
    tree.write("R/sub/>>>> y", "2");
    run.run();
    const std::vector<std::string> expected = {
        "<p>&gt;&gt;&gt;&gt; x: equal.<br>",
        kRule + ": equal.<br>",
        "</p>",
        "<p><u>SUBDIR: sub</u><br>",
        "<font color=\"#FF0000\"><b>&gt;&gt;&gt;&gt; y: different contents!</b></font><br>",
        "</p><hr><p>",
    };
    const auto page = pageLines(formatReportHtml(report, "T", "D"));
    const auto body = std::find(page.begin(), page.end(), "</h3>") + 1;
    ASSERT_LT(body + 6, page.end());
    EXPECT_EQ(std::vector<std::string>(body, body + 6), expected);
}

TEST_F(ReportHtmlOfARun, APairKeepsWhatTheRunKnewWhateverItsNameHolds) {
    tree.write("L/sub/a: equal.", "1");
    tree.write("R/sub/a: equal.", "22");
    tree.write("L/gone", "1");
    run.run();
    std::optional<PairRecord> facts;
    for (std::size_t line = 0; line < report.count() && !facts; ++line) {
        if (const auto pair = report.pair(line); pair && pair->directory == "sub") {
            facts = pair;
        }
    }
    ASSERT_TRUE(facts);
    EXPECT_EQ(facts->name, "a: equal.");
    EXPECT_EQ(facts->result, CompareResult::DifferentContents);
    EXPECT_EQ(facts->leftSize, 1);
    EXPECT_EQ(facts->rightSize, 2);
    EXPECT_FALSE(report.pair(0)) << "a heading has no pair";
    const auto missing = report.pair(3);
    ASSERT_TRUE(missing);
    EXPECT_EQ(missing->name, "gone");
    EXPECT_EQ(missing->rightSize, std::nullopt);
    EXPECT_EQ(missing->errorCode, 0) << "simply not there: no reason to keep";
    EXPECT_NE(formatReportText(report).find("\r\n>>>> a: equal.: different contents!\r\n"),
              std::string::npos);
    EXPECT_NE(formatReportHtml(report, "T", "D").find("<b>a: equal.: different contents!</b>"),
              std::string::npos);
}

} // namespace
} // namespace quorvel
