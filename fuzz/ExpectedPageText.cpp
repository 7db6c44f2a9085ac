#include "fuzz/ExpectedPageText.h"

#include "report/Utf8Conversion.h"

#include <cstddef>
#include <utility>

namespace quorvel::fuzz {

namespace {

const std::string kBlockRule(24, '_');
constexpr std::string_view kDifferenceMark = ">>>> ";

PageLine frame() {
    return PageLine{};
}

// A line of text ended by a line break; a line without text has no style.
PageLine shown(std::string text, PageLine style) {
    style.text = std::move(text);
    if (style.text.empty()) {
        style = PageLine{};
    }
    style.breaks = 1;
    return style;
}

} // namespace

std::vector<PageLine> expectedPageText(const std::vector<std::string>& asReported,
                                       std::string_view title, std::string_view dateTime) {
    std::vector<std::string> reportLines;
    reportLines.reserve(asReported.size());
    for (const auto& text : asReported) {
        reportLines.push_back(replaceInvalidUtf8(text));
    }
    const auto line = [&](std::size_t i) {
        return i < reportLines.size() ? reportLines[i] : std::string();
    };
    std::vector<PageLine> page;
    page.push_back(frame()); // <html>
    PageLine titleLine;
    titleLine.text = title;
    titleLine.title = !title.empty();
    page.push_back(titleLine);
    page.push_back(frame()); // <body>

    std::size_t i = 0;
    PageLine heading;
    heading.heading = true;
    for (; !line(i).empty(); ++i) {
        page.push_back(shown(line(i), heading));
    }
    page.push_back(frame()); // </h3>
    ++i;

    PageLine underlined;
    underlined.underlined = true;
    PageLine difference;
    difference.bold = true;
    difference.red = true;
    for (; i < reportLines.size(); ++i) {
        const std::string& current = reportLines[i];
        if (current.empty()) {
            PageLine rule;
            rule.rules = 1;
            page.push_back(rule);
        } else if (current == kBlockRule && i + 2 < reportLines.size()) {
            page.push_back(frame()); // </p>
            page.push_back(shown(line(i + 1), underlined));
            i += 2;
        } else if (current.starts_with(kDifferenceMark)) {
            std::string text = current.substr(kDifferenceMark.size());
            text.erase(0, text.find_first_not_of(' '));
            page.push_back(shown(text, difference));
        } else {
            page.push_back(shown(current, PageLine{}));
        }
    }
    page.push_back(frame()); // </p>
    PageLine date;
    date.text = dateTime;
    page.push_back(date);
    page.push_back(frame()); // </body>
    page.push_back(frame()); // </html>
    return page;
}

} // namespace quorvel::fuzz
