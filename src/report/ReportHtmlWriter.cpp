#include "report/ReportHtmlWriter.h"

#include "report/HtmlEscape.h"
#include "report/ReportDateTime.h"
#include "report/ReportLineFormat.h"
#include "report/Utf8Conversion.h"

namespace quorvel {

namespace {

constexpr std::string_view kLineEnd = "\r\n";

// A differing pair's line without its mark, and without the blanks a name may begin with; a
// name's own ">" stays.
std::string_view differenceText(std::string_view text) {
    while (!text.empty() && text.front() == ' ') {
        text.remove_prefix(1);
    }
    return text;
}

// A report line as page text: the page says it is UTF-8, so bytes of a name in another encoding
// become replacement characters there (the text report keeps them).
std::string pageText(std::string_view line) {
    return isValidUtf8(line) ? escapeHtml(line) : escapeHtml(replaceInvalidUtf8(line));
}

} // namespace

std::string formatReportHtml(const Report& report, std::string_view title,
                             std::string_view dateTime) {
    std::string page;
    auto writeLine = [&page](std::string_view a, std::string_view b = {}, std::string_view c = {}) {
        page += a;
        page += b;
        page += c;
        page += kLineEnd;
    };

    writeLine("<html>");
    page += "<head><meta charset=\"utf-8\"><title>";
    writeLine(title, "</title></head>");
    writeLine("<body>");
    page += "<h3 align=\"center\">";

    std::size_t i = 0;
    for (; report.kind(i) == ReportLineKind::Heading; ++i) {
        writeLine(pageText(report.line(i)), "<br>");
    }
    writeLine("</h3>");
    page += "<p>";
    if (i < report.count() && report.kind(i) == ReportLineKind::Blank) {
        ++i; // the blank line that ends the heading
    }

    for (; i < report.count(); ++i) {
        switch (report.kind(i)) {
        case ReportLineKind::Blank:
            writeLine("</p><hr><p>");
            break;
        case ReportLineKind::SubdirectoryRule:
            break; // the name between the two rules opens the block
        case ReportLineKind::SubdirectoryName:
            writeLine("</p>");
            writeLine("<p><u>", pageText(report.line(i)), "</u><br>");
            break;
        default:
            if (const auto result = report.result(i); result && !countsAsEqual(*result)) {
                writeLine("<font color=\"#FF0000\"><b>",
                          pageText(differenceText(report.unmarkedText(i))), "</b></font><br>");
            } else {
                writeLine(pageText(report.line(i)), "<br>");
            }
        }
    }

    writeLine("</p>");
    writeLine("<p>", escapeHtml(dateTime), "</p>");
    writeLine("</body>");
    page += "</html>";
    return page;
}

void writeReportHtml(const Report& report, const std::string& path, const LanguageStrings& strings,
                     std::time_t now, const AtomicFileWriter& writer) {
    writer.replace(path, formatReportHtml(report, strings.text(MessageKey::txtReportTitle),
                                          localDateTimeText(now)));
}

} // namespace quorvel
