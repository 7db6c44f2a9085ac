#pragma once

#include "engine/CompareResult.h"
#include "engine/ReportLineKind.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quorvel {

// The lines a comparison run produces, each with its kind; no line holds a line break.
class Report {
public:
    void clear() {
        lines_.clear();
        ++revision_;
    }
    // A line of plain text: kind Text, or Blank when it is empty.
    void appendReportLine(std::string_view line) {
        append(line, line.empty() ? ReportLineKind::Blank : ReportLineKind::Text, std::nullopt);
    }
    void appendReportLine(std::string_view line, ReportLineKind kind) {
        append(line, kind, std::nullopt);
    }
    void appendPairLine(std::string_view line, CompareResult result) {
        append(line, ReportLineKind::Pair, result);
    }

    std::size_t count() const { return lines_.size(); }
    // An index at or past the end reads as the empty text, a blank line.
    const std::string& line(std::size_t index) const;
    ReportLineKind kind(std::size_t index) const;
    // The result of a pair line; nothing for any other line.
    std::optional<CompareResult> result(std::size_t index) const;
    // Changes with every clear and append, so a view can tell whether what it shows is stale.
    std::uint64_t revision() const { return revision_; }

private:
    struct Line {
        std::string text;
        ReportLineKind kind;
        std::int8_t result; // -1 for a line that is not a pair's: reports can be long
    };
    void append(std::string_view text, ReportLineKind kind, std::optional<CompareResult> result) {
        lines_.push_back({std::string(text), kind,
                          static_cast<std::int8_t>(result ? static_cast<int>(*result) : -1)});
        ++revision_;
    }

    std::vector<Line> lines_;
    std::uint64_t revision_ = 0;
};

} // namespace quorvel
