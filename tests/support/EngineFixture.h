#pragma once

#include "engine/ComparisonRun.h"
#include "lang/LanguageStrings.h"
#include "report/Report.h"
#include "support/ExpectedReport.h"
#include "support/HookedFileAccess.h"
#include "support/RecordingObserver.h"
#include "support/RequestBuilder.h"
#include "support/TempTree.h"
#include "support/TestRun.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace quorvel::test {

// A directory run of the engine over L and R of a temporary tree, listing equal pairs too.
class EngineFixture : public ::testing::Test {
protected:
    explicit EngineFixture(
        PosixFileAccess::ReadAheadMode readAhead = PosixFileAccess::ReadAheadMode::WhenNotCached);

    // Runs and returns the report from its first blank line on.
    std::vector<std::string> runBody();
    // The report of the last run from its first blank line on (after the headings).
    std::vector<std::string> body() const;
    // A file-with-file run of two paths.
    std::vector<std::string> runFiles(const std::string& first, const std::string& second);
    std::vector<std::string> lines() const;

    // No bar position or percentage outside 0..100, whatever the files did meanwhile.
    void expectProgressWithinBounds() const;
    // Every file the runs opened is closed again.
    void expectNothingLeftOpen();

    TempTree tree;
    RequestBuilder request;
    RecordingObserver observer;
    Report report;
    LanguageStrings strings;
    HookedFileAccess files;
    TestRun run{request, observer, report, strings, files, "."};
};

} // namespace quorvel::test
