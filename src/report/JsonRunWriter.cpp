#include "report/JsonRunWriter.h"

#include "report/JsonReportLines.h"

namespace quorvel {

JsonRunWriter::JsonRunWriter(RunRequest request) : request_(std::move(request)) {}

void JsonRunWriter::runStarted() {
    counters_ = RunCounters{};
    text_ = jsonStartLine(request_);
}

void JsonRunWriter::runEnded(bool interrupted) {
    text_ += jsonSummaryLine(counters_, interrupted);
}

void JsonRunWriter::pairCounted(const PairFacts& pair, const RunCounters& counters) {
    counters_ = counters;
    appendJsonPairLine(text_, pair);
}

void JsonRunWriter::readProblem(std::string_view path, int errorCode) {
    text_ += jsonTroubleLine(path, errorCode);
}

void JsonRunWriter::recordedProblem(std::string_view manifest, std::string_view path,
                                    int errorCode) {
    text_ += jsonRecordedTroubleLine(manifest, path, errorCode);
}

} // namespace quorvel
