#include "report/JsonReportWriter.h"

#include "report/JsonReportLines.h"
#include "report/Report.h"

namespace quorvel {

JsonReportWriter::JsonReportWriter(RunRequest request) : request_(std::move(request)) {}

void JsonReportWriter::start() {
    text_ = jsonStartLine(request_);
    handOn();
}

void JsonReportWriter::pair(const PairRecord& pair) {
    appendJsonPairLine(text_, pair);
    handOn();
}

void JsonReportWriter::trouble(std::string_view path, int errorCode) {
    text_ += jsonTroubleLine(path, errorCode);
    handOn();
}

void JsonReportWriter::recordedTrouble(std::string_view manifest, std::string_view path,
                                       int errorCode) {
    text_ += jsonRecordedTroubleLine(manifest, path, errorCode);
    handOn();
}

void JsonReportWriter::end(const RunCounters& counters, bool interrupted) {
    text_ += jsonSummaryLine(counters, interrupted);
    handOn();
}

void JsonReportWriter::handOn() {
    if (sink_) {
        sink_(text_);
        text_.clear();
    }
}

std::string formatReportJson(const Report& report) {
    JsonReportWriter writer(report.request());
    writer.start();
    for (std::size_t i = 0; i < report.count(); ++i) {
        if (const auto pair = report.pair(i)) {
            writer.pair(*pair);
        }
    }
    writer.end(report.counters(), report.interrupted());
    return writer.text();
}

void writeReportJson(const Report& report, const std::string& path,
                     const AtomicFileWriter& writer) {
    writer.replace(path, formatReportJson(report));
}

} // namespace quorvel
