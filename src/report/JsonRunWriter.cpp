#include "report/JsonRunWriter.h"

#include "report/JsonReportLines.h"

namespace quorvel {

JsonRunWriter::JsonRunWriter(RunRequest request) : request_(std::move(request)) {}

void JsonRunWriter::runStarted() {
    counters_ = RunCounters{};
    text_ = jsonStartLine(request_);
    handOn();
}

void JsonRunWriter::runEnded(bool interrupted) {
    text_ += jsonSummaryLine(counters_, interrupted);
    handOn();
}

void JsonRunWriter::pairCounted(const PairRecord& pair, const RunCounters& counters) {
    counters_ = counters;
    appendJsonPairLine(text_, pair);
    handOn();
}

void JsonRunWriter::readProblem(std::string_view path, int errorCode) {
    text_ += jsonTroubleLine(path, errorCode);
    handOn();
}

void JsonRunWriter::handOn() {
    if (sink_) {
        sink_(text_);
        text_.clear();
    }
}

void JsonRunWriter::recordedProblem(std::string_view manifest, std::string_view path,
                                    int errorCode) {
    text_ += jsonRecordedTroubleLine(manifest, path, errorCode);
}

} // namespace quorvel
