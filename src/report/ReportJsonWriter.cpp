#include "report/ReportJsonWriter.h"

#include "report/JsonReportLines.h"

namespace quorvel {

std::string formatReportJson(const Report& report) {
    std::string text = jsonStartLine(report.request());
    for (std::size_t i = 0; i < report.count(); ++i) {
        if (const auto pair = report.pair(i)) {
            appendJsonPairLine(text, *pair);
        }
    }
    text += jsonSummaryLine(report.counters(), report.interrupted());
    return text;
}

void writeReportJson(const Report& report, const std::string& path,
                     const AtomicFileWriter& writer) {
    writer.replace(path, formatReportJson(report));
}

} // namespace quorvel
