#include "report/ReportTextWriter.h"

namespace quorvel {

std::string formatReportText(const Report& report) {
    std::string text;
    for (std::size_t i = 0; i < report.count(); ++i) {
        text += report.line(i);
        text += "\r\n";
    }
    return text;
}

void writeReportText(const Report& report, const std::string& path,
                     const AtomicFileWriter& writer) {
    writer.replace(path, formatReportText(report));
}

} // namespace quorvel
