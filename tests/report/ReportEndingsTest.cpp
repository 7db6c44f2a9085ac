#include "report/JsonReportLines.h"
#include "report/JsonReportWriter.h"
#include "report/Report.h"
#include "report/ReportHtmlWriter.h"
#include "report/ReportTextWriter.h"

#include <gtest/gtest.h>

#include <cerrno>

#include <optional>
#include <string>
#include <vector>

namespace quorvel {
namespace {

struct Line {
    ReportLineKind kind;
    std::string mark;
    std::string text;
    std::optional<PairRecord> pair;
};

Line plain(ReportLineKind kind, std::string text) {
    return {kind, "", std::move(text), std::nullopt};
}

Line pairLine(std::string mark, std::string text, PairRecord pair) {
    return {ReportLineKind::Pair, std::move(mark), std::move(text), std::move(pair)};
}

const Line kHeading = plain(ReportLineKind::Heading, "H");
const Line kBlank = plain(ReportLineKind::Blank, "");
const Line kRule = plain(ReportLineKind::SubdirectoryRule, "----");
const Line kEqual = pairLine("", "a.txt", {"d", "a.txt", CompareResult::Equal, 1, 1, 0});
const Line kDiffering =
    pairLine(">>>> ", "  b & c", {"d", "  b & c", CompareResult::DifferentContents, 2, 3, 0});
// A name the line cannot show as it is.
const Line kOtherwiseShown =
    pairLine(">>>> ", "x?y", {"e", "x\ny", CompareResult::NotFoundIn2nd, 5, std::nullopt, 0});

// A report ending in one kind of line, and what each writer makes of it: the page between the
// heading's opening tag and the closing paragraph, and the pair lines for scripts.
struct Ending {
    const char* name;
    std::vector<Line> lines;
    std::string page;
    std::string pairs;
};

void PrintTo(const Ending& row, std::ostream* os) {
    *os << row.name;
}

Report reportOf(const std::vector<Line>& lines) {
    Report report;
    for (const auto& line : lines) {
        if (line.pair) {
            report.appendPairLine(line.mark, line.text, *line.pair);
        } else {
            report.appendReportLine(line.text, line.kind);
        }
    }
    return report;
}

const std::string kEqualJson =
    R"({"type":"pair","path":"d/a.txt","result":"equal","left_size":1,"right_size":1,)"
    R"("error":null,"error_code":null})"
    "\n";
const std::string kDifferingJson =
    R"({"type":"pair","path":"d/  b & c","result":"different-contents","left_size":2,)"
    R"("right_size":3,"error":null,"error_code":null})"
    "\n";
const std::string kOtherwiseShownJson =
    R"({"type":"pair","path":"e/x\ny","result":"not-found-in-2nd","left_size":5,)"
    R"("right_size":null,"error":null,"error_code":null})"
    "\n";

class ReportEndings : public ::testing::TestWithParam<Ending> {};

TEST_P(ReportEndings, EveryWriterKeepsTheLastLineAndNothingPastIt) {
    const Ending& row = GetParam();
    Report report = reportOf(row.lines);
    report.setCounters({3, 2, 6.0});

    std::string text;
    for (const auto& line : row.lines) {
        text += line.mark + line.text + "\r\n";
    }
    EXPECT_EQ(formatReportText(report), text);

    EXPECT_EQ(formatReportHtml(report, "T", "D"),
              "<html>\r\n<head><meta charset=\"utf-8\"><title>T</title></head>\r\n<body>\r\n"
              "<h3 align=\"center\">" +
                  row.page + "</p>\r\n<p>D</p>\r\n</body>\r\n</html>");

    EXPECT_EQ(formatReportJson(report), jsonStartLine(report.request()) + row.pairs +
                                            jsonSummaryLine(report.counters(), false));

    // The last line as it was appended, and past it a blank line with nothing of a pair.
    const std::size_t last = row.lines.size() - 1;
    ASSERT_EQ(report.count(), row.lines.size());
    EXPECT_EQ(report.line(last), row.lines[last].mark + row.lines[last].text);
    EXPECT_EQ(report.kind(last), row.lines[last].kind);
    EXPECT_EQ(report.unmarkedText(last), row.lines[last].text);
    EXPECT_EQ(report.pair(last).has_value(), row.lines[last].pair.has_value());
    for (const std::size_t past : {last + 1, last + 2}) {
        EXPECT_EQ(report.line(past), "");
        EXPECT_EQ(report.kind(past), ReportLineKind::Blank);
        EXPECT_EQ(report.unmarkedText(past), "");
        EXPECT_FALSE(report.result(past));
        EXPECT_FALSE(report.pair(past));
    }
}

INSTANTIATE_TEST_SUITE_P(
    EachKind, ReportEndings,
    ::testing::Values(
        Ending{"its_heading", {kHeading}, "H<br>\r\n</h3>\r\n<p>", ""},
        Ending{"two_heading_lines",
               {kHeading, plain(ReportLineKind::Heading, "I")},
               "H<br>\r\nI<br>\r\n</h3>\r\n<p>",
               ""},
        Ending{"the_blank_after_the_heading", {kHeading, kBlank}, "H<br>\r\n</h3>\r\n<p>", ""},
        Ending{"text_right_after_the_heading",
               {kHeading, plain(ReportLineKind::Text, "t")},
               "H<br>\r\n</h3>\r\n<p>t<br>\r\n",
               ""},
        Ending{"a_blank",
               {kHeading, kBlank, plain(ReportLineKind::Text, "t"), kBlank},
               "H<br>\r\n</h3>\r\n<p>t<br>\r\n</p><hr><p>\r\n",
               ""},
        Ending{"a_subdirectory_rule",
               {kHeading, kBlank, kEqual, kRule},
               "H<br>\r\n</h3>\r\n<p>a.txt<br>\r\n",
               kEqualJson},
        Ending{"a_subdirectory_name",
               {kHeading, kBlank, kRule, plain(ReportLineKind::SubdirectoryName, "SUBDIR: <d>")},
               "H<br>\r\n</h3>\r\n<p></p>\r\n<p><u>SUBDIR: &lt;d&gt;</u><br>\r\n",
               ""},
        Ending{"an_equal_pair",
               {kHeading, kBlank, kEqual},
               "H<br>\r\n</h3>\r\n<p>a.txt<br>\r\n",
               kEqualJson},
        Ending{"a_differing_pair",
               {kHeading, kBlank, kEqual, kDiffering},
               "H<br>\r\n</h3>\r\n<p>a.txt<br>\r\n"
               "<font color=\"#FF0000\"><b>b &amp; c</b></font><br>\r\n",
               kEqualJson + kDifferingJson},
        Ending{"a_pair_whose_name_is_shown_otherwise",
               {kHeading, kBlank, kDiffering, kOtherwiseShown},
               "H<br>\r\n</h3>\r\n<p><font color=\"#FF0000\"><b>b &amp; c</b></font><br>\r\n"
               "<font color=\"#FF0000\"><b>x?y</b></font><br>\r\n",
               kDifferingJson + kOtherwiseShownJson},
        Ending{"a_status",
               {kHeading, kBlank, kOtherwiseShown, plain(ReportLineKind::Status, "Done")},
               "H<br>\r\n</h3>\r\n<p><font color=\"#FF0000\"><b>x?y</b></font><br>\r\nDone<br>\r\n",
               kOtherwiseShownJson},
        Ending{"a_summary",
               {kHeading, kBlank, plain(ReportLineKind::Summary, "3 > 2")},
               "H<br>\r\n</h3>\r\n<p>3 &gt; 2<br>\r\n",
               ""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ReportJsonPairs, EachPairLineNamesItsPathWithItsBytesWhenTheyAreNotText) {
    const struct {
        const char* name;
        PairRecord pair;
        std::string line;
    } rows[] = {
        {"at the top",
         {"", "a", CompareResult::Equal, 1, 1, 0},
         R"({"type":"pair","path":"a","result":"equal","left_size":1,"right_size":1,)"
         R"("error":null,"error_code":null})"},
        {"in a subdirectory",
         {"d/e", "a", CompareResult::DifferentSize, 5000000000, 0, 0},
         R"({"type":"pair","path":"d/e/a","result":"different-size","left_size":5000000000,)"
         R"("right_size":0,"error":null,"error_code":null})"},
        {"a directory not read",
         {"d", "d/x/", CompareResult::ErrorReading1st, {}, {}, EACCES},
         R"({"type":"pair","path":"d/x/","result":"error-reading","left_size":null,)"
         R"("right_size":null,"error":"Permission denied","error_code":13})"},
        {"quote and backslash",
         {"", "a\"b\\c", CompareResult::FirstTruncated, 1, 2, 0},
         R"({"type":"pair","path":"a\"b\\c","result":"1st-truncated","left_size":1,)"
         R"("right_size":2,"error":null,"error_code":null})"},
        {"a control character",
         {"", "a\tb", CompareResult::NotFoundIn1st, {}, 2, 0},
         R"({"type":"pair","path":"a\tb","result":"not-found-in-1st","left_size":null,)"
         R"("right_size":2,"error":null,"error_code":null})"},
        {"UTF-8",
         {"", "\xc3\xa9", CompareResult::EqualMaybe, 3, 3, 0},
         "{\"type\":\"pair\",\"path\":\"\xc3\xa9\",\"result\":\"equal-size\",\"left_size\":3,"
         "\"right_size\":3,\"error\":null,\"error_code\":null}"},
        {"not UTF-8",
         {"d", "caf\xe9", CompareResult::SecondTruncated, 4, 3, 0},
         "{\"type\":\"pair\",\"path\":\"d/caf\xef\xbf\xbd\",\"path_bytes\":\"ZC9jYWbp\","
         "\"result\":\"2nd-truncated\",\"left_size\":4,\"right_size\":3,\"error\":null,"
         "\"error_code\":null}"},
    };
    std::string all;
    std::string expected;
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        std::string text = "before\n";
        appendJsonPairLine(text, row.pair);
        EXPECT_EQ(text, "before\n" + row.line + "\n");
        appendJsonPairLine(all, row.pair);
        expected += row.line + "\n";
    }
    EXPECT_EQ(all, expected);
}

TEST(ReportJsonPairs, TroubleAndSummaryLinesSayWhatWentWrongAndHowMuchWasDone) {
    const struct {
        const char* name;
        std::string text;
        std::string line;
    } rows[] = {
        {"a reason", jsonTroubleLine("d/x", EACCES),
         R"({"type":"trouble","path":"d/x","error":"Permission denied","error_code":13})"},
        {"no reason", jsonTroubleLine("d/x", 0),
         R"({"type":"trouble","path":"d/x","error":null,"error_code":null})"},
        {"a path that is not UTF-8", jsonTroubleLine("caf\xe9", ENOENT),
         "{\"type\":\"trouble\",\"path\":\"caf\xef\xbf\xbd\",\"path_bytes\":\"Y2Fm6Q==\","
         "\"error\":\"No such file or directory\",\"error_code\":2}"},
        {"as a manifest recorded it", jsonRecordedTroubleLine("m.json", "a/", EACCES),
         R"({"type":"trouble","path":"a/","manifest":"m.json","error":"Permission denied",)"
         R"("error_code":13})"},
        {"a summary", jsonSummaryLine({5, 2, 1536.4}, false),
         R"({"type":"summary","compared":5,"equal":3,"different":2,"bytes":1536,)"
         R"("interrupted":false})"},
        {"half a byte rounds up", jsonSummaryLine({1, 0, 1536.5}, true),
         R"({"type":"summary","compared":1,"equal":1,"different":0,"bytes":1537,)"
         R"("interrupted":true})"},
        {"more bytes than a number holds", jsonSummaryLine({0, 0, 1e19}, false),
         R"({"type":"summary","compared":0,"equal":0,"different":0,)"
         R"("bytes":9223372036854775807,"interrupted":false})"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(row.text, row.line + "\n");
    }
}

} // namespace
} // namespace quorvel
