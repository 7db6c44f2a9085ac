#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace quorvel {

// The lines a comparison run produces; no line holds a line break.
class Report {
public:
    void clear() {
        lines_.clear();
        ++revision_;
    }
    void appendReportLine(std::string_view line) {
        lines_.emplace_back(line);
        ++revision_;
    }
    std::size_t count() const { return lines_.size(); }
    // An index at or past the end reads as the empty text.
    const std::string& line(std::size_t index) const;
    // Changes with every clear and append, so a view can tell whether what it shows is stale.
    std::uint64_t revision() const { return revision_; }

private:
    std::vector<std::string> lines_;
    std::uint64_t revision_ = 0;
};

} // namespace quorvel
