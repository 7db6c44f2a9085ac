// The HTML page of a report reads back as the report's own text, placed and styled by the page
// rules, with no markup from a report line; and escaping round trips on any bytes.
#include "fuzz/ExpectedPageText.h"
#include "fuzz/FuzzCheck.h"
#include "fuzz/HtmlPageText.h"
#include "report/HtmlEscape.h"
#include "report/Report.h"
#include "report/ReportHtmlWriter.h"
#include "report/ReportLineFormat.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

using namespace quorvel;
using namespace quorvel::fuzz;

namespace {

constexpr std::string_view kTitle = "Quorvel - comparison report";

void checkEscaping(std::string_view text) {
    const std::string escaped = escapeHtml(text);
    check(escaped.find_first_of("<>\"") == std::string::npos, "escaped text has no < > or \"");
    check(decodeEntities(escaped) == std::string(text), "escaping round trips");
    std::size_t extra = 0;
    for (const char c : text) {
        extra += c == '"' ? 5 : c == '&' ? 4 : (c == '<' || c == '>') ? 3 : 0;
    }
    check(escaped.size() == text.size() + extra, "only the four bytes are replaced");
}

// Report lines as a run writes them: split at LF, every other byte below 0x20 shown as "?".
std::vector<std::string> reportLines(std::string_view input) {
    std::vector<std::string> lines(1);
    for (const char c : input) {
        if (c == '\n') {
            lines.emplace_back();
        } else {
            lines.back() += static_cast<unsigned char>(c) < 0x20 ? '?' : c;
        }
    }
    return lines;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    checkEscaping(input);

    // The first line stands for the date, the others are the report.
    std::vector<std::string> lines = reportLines(input);
    const std::string dateTime = lines.front();
    lines.erase(lines.begin());
    // Each line of the kind a run gives a line of its shape: the heading up to the first empty
    // line, then whole subdirectory blocks, pairs that differ, and plain lines.
    Report report;
    std::size_t i = 0;
    for (; i < lines.size() && !lines[i].empty(); ++i) {
        report.appendReportLine(lines[i], ReportLineKind::Heading);
    }
    for (; i < lines.size(); ++i) {
        const std::string& line = lines[i];
        if (line == kBlockRule && i + 2 < lines.size()) {
            report.appendReportLine(line, ReportLineKind::SubdirectoryRule);
            report.appendReportLine(lines[i + 1], ReportLineKind::SubdirectoryName);
            report.appendReportLine(lines[i + 2], ReportLineKind::SubdirectoryRule);
            i += 2;
        } else if (line.starts_with(kDifferenceMark)) {
            report.appendPairLine(kDifferenceMark, line.substr(kDifferenceMark.size()),
                                  {"", "", CompareResult::DifferentContents, {}, {}, 0});
        } else {
            report.appendReportLine(line);
        }
    }

    const std::string page = formatReportHtml(report, kTitle, dateTime);
    check(page.ends_with("</html>"), "the page ends with </html> and no line end");
    check(readReportPage(page) == expectedPageText(lines, kTitle, dateTime),
          "the page shows each report line as the page rules say");
    return 0;
}
