// The HTML page of a report reads back as the report's own text, placed and styled by the page
// rules, with no markup from a report line; and escaping round trips on any bytes.
#include "engine/Report.h"
#include "engine/ReportLineFormat.h"
#include "fuzz/ExpectedPageText.h"
#include "fuzz/FuzzCheck.h"
#include "fuzz/HtmlPageText.h"
#include "report/HtmlEscape.h"
#include "report/ReportHtmlWriter.h"

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
    // Each line of the kind a run gives a line of its shape.
    Report report;
    for (const std::string& line : lines) {
        if (line == kBlockRule) {
            report.appendReportLine(line, ReportLineKind::SubdirectoryRule);
        } else if (line.starts_with(kDifferenceMark)) {
            report.appendPairLine(line, CompareResult::DifferentContents);
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
