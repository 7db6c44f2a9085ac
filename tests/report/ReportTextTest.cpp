#include "report/ReportTextWriter.h"

#include "support/TempTree.h"

#include <gtest/gtest.h>

namespace quorvel {
namespace {

TEST(ReportText, EveryLineEndsInCrLfAndNothingIsAdded) {
    Report report;
    for (const char* line : {"(filter:  R&D*.txt)", "", "2\xC2\xB0 directory", ">>>> a: b"}) {
        report.appendReportLine(line);
    }
    test::TempTree scratch;
    writeReportText(report, scratch.path("r.txt"));
    EXPECT_EQ(scratch.read("r.txt"),
              "(filter:  R&D*.txt)\r\n\r\n2\xC2\xB0 directory\r\n>>>> a: b\r\n");

    EXPECT_EQ(formatReportText(Report()), "");
}

TEST(ReportText, SavingAgainReplacesTheEarlierFileCompletely) {
    test::TempTree scratch;
    Report report;
    report.appendReportLine(std::string(5000, 'x'));
    writeReportText(report, scratch.path("r.txt"));
    report.clear();
    report.appendReportLine("short");
    writeReportText(report, scratch.path("r.txt"));
    EXPECT_EQ(scratch.read("r.txt"), "short\r\n");
    EXPECT_EQ(scratch.listing(), "r.txt");
}

} // namespace
} // namespace quorvel
