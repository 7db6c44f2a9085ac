#include "report/ReportRecorder.h"
#include "lang/LanguageStrings.h"
#include "report/Report.h"
#include "report/ReportLineFormat.h"

#include <gtest/gtest.h>

#include <clocale>
#include <string>
#include <vector>

namespace quorvel {
namespace {

struct Expected {
    ReportLineKind kind;
    std::string line;
};

TEST(ReportRecorder, EachEntryBecomesItsLinesOfTheirKindsWithNamesMadeSafe) {
    Report report;
    LanguageStrings strings;
    strings.fillFrom(kEnglish);
    ReportRecorder recorder(report, strings, ",");
    RunRequest request;
    request.mode = CompareMode::DirectoryWithDirectory;
    request.options.fast = true;
    request.options.filter = "*.c\n";
    request.options.exclusions = "*.o";
    recorder.clear(request);
    recorder.heading(HeadingKind::Directory, "/l\x01");
    recorder.heading(HeadingKind::WithManifest, "m.json");
    recorder.quotedHeading(QuotedKind::ManifestTaken, "2026-12-01, /t");
    recorder.optionHeadings();
    recorder.subdirectory("a/b\x1f");
    recorder.pair({"a/b", "x\ty", CompareResult::DifferentContents, 3, 4, 0});
    recorder.pair({"a/b", "e", CompareResult::Equal, 1, 1, 0});
    recorder.pair({"a/b", "m", CompareResult::EqualMaybe, 2, 2, 0});
    recorder.pair({"a/b", "n", CompareResult::NotFoundIn2nd, 5, std::nullopt, 0});
    recorder.status(true);
    recorder.summary({3, 1, 1116.0}, true);
    recorder.summary({4, 0, 1572864.0}, false);

    const std::string rule(kBlockRule);
    const std::vector<Expected> expected = {
        {ReportLineKind::Heading, "Comparison of directory /l?"},
        {ReportLineKind::Heading, "with manifest m.json"},
        {ReportLineKind::Heading, "(manifest taken:  2026-12-01, /t)"},
        {ReportLineKind::Heading, "(filter:  *.c?)"},
        {ReportLineKind::Heading, "(exclude:  *.o)"},
        {ReportLineKind::Heading, "Fast comparison (compares only size)"},
        {ReportLineKind::Blank, ""},
        {ReportLineKind::SubdirectoryRule, rule},
        {ReportLineKind::SubdirectoryName, "SUBDIR: a/b?"},
        {ReportLineKind::SubdirectoryRule, rule},
        {ReportLineKind::Pair, ">>>> x?y: different contents!"},
        {ReportLineKind::Pair, "e: equal."},
        {ReportLineKind::Pair, "m: equal (maybe...)."},
        {ReportLineKind::Pair, ">>>> n: not found in 2nd directory!"},
        {ReportLineKind::Status, "Comparison interrupted by user!"},
        {ReportLineKind::Summary, "Compared 3 file(s);  1,09 KB"},
        {ReportLineKind::Summary, "Equal (maybe...): 2;   different: 1"},
        {ReportLineKind::Summary, "Compared 4 file(s);  1,50 MB"},
        {ReportLineKind::Summary, "Equal: 4;   different: 0"},
    };
    ASSERT_EQ(report.count(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(report.kind(i), expected[i].kind);
        EXPECT_EQ(report.line(i), expected[i].line);
    }
    EXPECT_EQ(report.unmarkedText(10), "x?y: different contents!");
    const auto hidden = report.pair(10);
    ASSERT_TRUE(hidden);
    EXPECT_EQ(hidden->name, "x\ty") << "the name itself, not as the line shows it";
    EXPECT_EQ(hidden->directory, "a/b");
    EXPECT_EQ(hidden->leftSize, 3);
    EXPECT_EQ(report.pair(13)->rightSize, std::nullopt);
    EXPECT_TRUE(report.interrupted());
    EXPECT_EQ(report.counters().filesCompared, 4);

    recorder.status(false);
    EXPECT_FALSE(report.interrupted());
    EXPECT_EQ(report.line(report.count() - 1), "Comparison terminated.");
}

TEST(ReportRecorder, OptionHeadingsNameWhatDiffersFromTheDefaultsWhereItApplies) {
    const auto directories = CompareMode::DirectoryWithDirectory;
    const struct {
        const char* name;
        CompareMode mode;
        CompareOptions options;
        std::vector<std::string> lines;
    } rows[] = {
        {"defaults", directories, {}, {""}},
        {"patterns in a file mode",
         CompareMode::FileWithFile,
         {false, false, false, "*.c", true, "*.o"},
         {""}},
        {"fast in a file mode",
         CompareMode::FilesWithDirectory,
         {true, true, true, "*.c", false, ""},
         {"Fast comparison (compares only size)", ""}},
        {"exclusions alone",
         directories,
         {false, true, true, "*.*", false, "*.o"},
         {"(exclude:  *.o)", ""}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        Report report;
        LanguageStrings strings;
        strings.fillFrom(kEnglish);
        ReportRecorder recorder(report, strings, ".");
        RunRequest request;
        request.mode = row.mode;
        request.options = row.options;
        recorder.clear(request);
        recorder.optionHeadings();
        std::vector<std::string> lines;
        for (std::size_t i = 0; i < report.count(); ++i) {
            lines.push_back(report.line(i));
        }
        EXPECT_EQ(lines, row.lines);
    }
}

TEST(ReportRecorder, AClearedReportKeepsNothingOfTheRunBefore) {
    Report report;
    LanguageStrings strings;
    ReportRecorder recorder(report, strings, ".");
    RunRequest request;
    request.leftDirectory = "/l";
    recorder.clear(request);
    recorder.subdirectory("old");
    recorder.pair({"old", "a\tb", CompareResult::DifferentContents, 1, 2, 13});
    recorder.status(true);
    recorder.summary({1, 1, 3.0}, false);
    const auto revision = report.revision();

    recorder.clear(RunRequest{});
    EXPECT_NE(report.revision(), revision);
    EXPECT_EQ(report.count(), 0u);
    EXPECT_EQ(report.request().leftDirectory, "");
    EXPECT_FALSE(report.interrupted());
    EXPECT_EQ(report.counters().differentCount, 0);
    EXPECT_FALSE(report.pair(0));

    recorder.pair({"new", "c\nd", CompareResult::NotFoundIn2nd, 4, std::nullopt, 0});
    const auto pair = report.pair(0);
    ASSERT_TRUE(pair);
    EXPECT_EQ(pair->name, "c\nd");
    EXPECT_EQ(pair->directory, "new");
    EXPECT_EQ(pair->result, CompareResult::NotFoundIn2nd);
    EXPECT_EQ(pair->leftSize, 4);
    EXPECT_EQ(pair->errorCode, 0);
}

TEST(ReportLineFormat, SizesAndTimesAsTheReportAndTheGaugeShowThem) {
    const struct {
        double bytes;
        const char* text;
    } sizes[] = {
        {0, "0,00 KB"},
        {5, "0,00 KB"},
        {6, "0,01 KB"},
        {1023, "1,00 KB"},
        {1116, "1,09 KB"},
        {1536.5, "1,50 KB"},
        {-1536, "1,50 KB"},
        {1048576, "1024,00 KB"},
        {1048577, "1,00 MB"},
        {1572864, "1,50 MB"},
        {1e20, "95367431640625,00 MB"},
        // Whole bytes round in integers: in floating point this one would end in ,86.
        {18556263489973780.0, "17696631898,85 MB"},
    };
    for (const auto& row : sizes) {
        EXPECT_EQ(formatByteSize(row.bytes, ","), row.text) << row.bytes;
    }
    EXPECT_EQ(formatByteSize(1536, "."), "1.50 KB");

    const struct {
        double seconds;
        const char* text;
    } times[] = {
        {-5, "0:00"},    {0, "0:00"},       {0.2, "0:01"},     {59.5, "1:00"},      {61, "1:01"},
        {3599, "59:59"}, {3600, "1:00:00"}, {3661, "1:01:01"}, {36000, "10:00:00"},
    };
    for (const auto& row : times) {
        EXPECT_EQ(formatDuration(row.seconds), row.text) << row.seconds;
    }

    EXPECT_EQ(reportSafe(std::string("a\x00\x1f\x20\x7f\xff", 6)), "a?? \x7f\xff");
    EXPECT_EQ(resultMark(CompareResult::Equal), "");
    EXPECT_EQ(resultMark(CompareResult::EqualMaybe), "");
    EXPECT_EQ(resultMark(CompareResult::DifferentSize), ">>>> ");

    const std::string before = std::setlocale(LC_NUMERIC, nullptr);
    std::setlocale(LC_NUMERIC, "C");
    EXPECT_EQ(localeDecimalSeparator(), ".");
    std::setlocale(LC_NUMERIC, before.c_str());
}

} // namespace
} // namespace quorvel
