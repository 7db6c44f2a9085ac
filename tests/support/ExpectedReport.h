#pragma once

#include <string>
#include <vector>

namespace quorvel::test {

// The 24 underscores above and below a subdirectory's name.
extern const std::string kBlockRule;

// The body of a finished English run's report: the blank after the headings, the pair lines, a
// blank and the summary.
std::vector<std::string> expectedBody(std::vector<std::string> pairLines, int compared,
                                      const std::string& size, int equal, int different,
                                      bool fast = false);

// Report lines as the companion prints them: each followed by "\n".
std::string reportText(const std::vector<std::string>& lines);

// The companion's whole output for an English directory run: the two headings, then `body`.
std::string directoryReportText(const std::string& left, const std::string& right,
                                const std::vector<std::string>& body);

// Text with every "\n" written as CR LF, as the text report file holds it.
std::string withCrLf(const std::string& text);

} // namespace quorvel::test
