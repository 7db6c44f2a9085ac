#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace quorvel {

// The lines a comparison run produces; no line holds a line break.
class Report {
public:
    void clear() { lines_.clear(); }
    void appendReportLine(std::string_view line) { lines_.emplace_back(line); }
    std::size_t count() const { return lines_.size(); }
    // An index at or past the end reads as the empty text.
    const std::string& line(std::size_t index) const;

private:
    std::vector<std::string> lines_;
};

} // namespace quorvel
