#include "support/ExpectedReport.h"

namespace quorvel::test {

const std::string kBlockRule(24, '_');

std::vector<std::string> expectedBody(std::vector<std::string> pairLines, int compared,
                                      const std::string& size, int equal, int different,
                                      bool fast) {
    pairLines.insert(pairLines.begin(), "");
    pairLines.insert(pairLines.end(),
                     {"", "Comparison terminated.",
                      "Compared " + std::to_string(compared) + " file(s);  " + size,
                      (fast ? "Equal (maybe...): " : "Equal: ") + std::to_string(equal) +
                          ";   different: " + std::to_string(different)});
    return pairLines;
}

std::string reportText(const std::vector<std::string>& lines) {
    std::string text;
    for (const auto& line : lines) {
        text += line;
        text += '\n';
    }
    return text;
}

std::string directoryReportText(const std::string& left, const std::string& right,
                                const std::vector<std::string>& body) {
    std::vector<std::string> lines{"Comparison of directory " + left, "with directory " + right};
    lines.insert(lines.end(), body.begin(), body.end());
    return reportText(lines);
}

std::string withCrLf(const std::string& text) {
    std::string converted;
    for (const char c : text) {
        if (c == '\n') {
            converted += '\r';
        }
        converted += c;
    }
    return converted;
}

} // namespace quorvel::test
