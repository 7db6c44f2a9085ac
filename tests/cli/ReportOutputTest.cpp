#include "cli/ReportOutput.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <string>

namespace quorvel {
namespace {

Report reportOf(int lines) {
    Report report;
    for (int i = 0; i < lines; ++i) {
        report.appendReportLine(std::string(100, static_cast<char>('a' + i % 26)));
    }
    return report;
}

std::string expectedText(const Report& report) {
    std::string text;
    for (std::size_t i = 0; i < report.count(); ++i) {
        text += report.line(i) + "\n";
    }
    return text;
}

TEST(ReportOutput, WritesCutShortOrInterruptedAreCarriedOnToTheLastByte) {
    const Report report = reportOf(2000);
    std::string written;
    int calls = 0;
    const ReportOutput output(1, [&](int, const char* data, std::size_t size) -> ssize_t {
        if (++calls % 3 == 0) {
            errno = EINTR;
            return -1;
        }
        const auto n = std::min<std::size_t>(size, 1000);
        written.append(data, n);
        return static_cast<ssize_t>(n);
    });
    EXPECT_EQ(output.print(report).outcome, ReportOutput::Outcome::Written);
    EXPECT_EQ(written, expectedText(report));
}

TEST(ReportOutput, AFailedWriteIsAFailureWithItsReasonAndAClosedPipeIsNot) {
    const Report report = reportOf(2000);
    for (const int error : {EIO, ENOSPC, EPIPE}) {
        int calls = 0;
        const ReportOutput output(1, [&](int, const char*, std::size_t size) -> ssize_t {
            if (++calls == 2) {
                errno = error;
                return -1;
            }
            return static_cast<ssize_t>(size);
        });
        const auto result = output.print(report);
        EXPECT_EQ(result.outcome, error == EPIPE ? ReportOutput::Outcome::ReaderGone
                                                 : ReportOutput::Outcome::Failed);
        EXPECT_EQ(result.errorCode, error);
        EXPECT_EQ(calls, 2) << "nothing is written after a failure";
    }
}

} // namespace
} // namespace quorvel
