#pragma once

#include "engine/RunObserver.h"
#include "report/JsonReportWriter.h"

namespace quorvel {

// The report for scripts of a run as it goes: every pair counted, also those the text report
// leaves out, and every path that could not be read.
class JsonRunObserver : public RunObserver {
public:
    explicit JsonRunObserver(JsonReportWriter& writer) : writer_(writer) {}

    void runStarted() override;
    void runEnded(bool interrupted) override;
    void pairCounted(const PairRecord& pair, const RunCounters& counters) override;
    void readProblem(std::string_view path, int errorCode) override;
    void recordedProblem(std::string_view manifest, std::string_view path, int errorCode) override;

private:
    JsonReportWriter& writer_;
    RunCounters counters_;
};

} // namespace quorvel
