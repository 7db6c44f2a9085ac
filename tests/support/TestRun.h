#pragma once

#include "engine/ComparisonRun.h"
#include "report/ReportRecorder.h"
#include "support/RecordingView.h"

#include <string>

namespace quorvel {
class FileAccess;
class LanguageStrings;
class Report;
} // namespace quorvel

namespace quorvel::test {

// A run of the engine started from a recording view's values, step by step as the window runs
// it, writing into a report in the given language.
class TestRun {
public:
    TestRun(RecordingView& view, Report& report, const LanguageStrings& strings, FileAccess& files,
            std::string decimalSeparator);

    // A request that cannot run is noted in the view's calls as "refused" and leaves the report.
    void startComparison();
    void requestAbort() { run_.requestAbort(); }
    const RunState& state() const { return run_.state(); }
    void setWalkOptions(const WalkOptions& options) { run_.setWalkOptions(options); }

private:
    RecordingView& view_;
    ReportRecorder recorder_;
    ComparisonRun run_;
};

} // namespace quorvel::test
