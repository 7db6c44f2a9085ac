#pragma once

#include "engine/ComparisonRun.h"
#include "report/ReportRecorder.h"
#include "support/RecordingObserver.h"
#include "support/RequestBuilder.h"

#include <string>

namespace quorvel {
class FileAccess;
class LanguageStrings;
class Report;
} // namespace quorvel

namespace quorvel::test {

// A run of the engine on the request a builder holds, driven step by step as the window drives
// it, telling an observer and writing into a report in the given language.
class TestRun {
public:
    TestRun(const RequestBuilder& request, RecordingObserver& observer, Report& report,
            const LanguageStrings& strings, FileAccess& files, std::string decimalSeparator);

    // Runs the builder's request as it stands now. One that cannot run is noted in the
    // observer's calls as "refused" and leaves the report.
    void run();
    void requestAbort() { run_.requestAbort(); }
    const RunState& state() const { return run_.state(); }
    void setWalkOptions(const WalkOptions& options) { run_.setWalkOptions(options); }

private:
    const RequestBuilder& request_;
    RecordingObserver& observer_;
    ReportRecorder recorder_;
    ComparisonRun run_;
};

} // namespace quorvel::test
