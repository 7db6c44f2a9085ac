#pragma once

#include "engine/PairRecord.h"
#include "engine/RunRequest.h"
#include "report/ReportLineKind.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace quorvel {

// The lines of a report, each with its kind and, for a pair, the pair's facts; no line holds a
// line break. A line's text is made once, when it is appended, in the language of its run.
class Report {
public:
    void clear();
    // A line of plain text: kind Text, or Blank when it is empty.
    void appendReportLine(std::string_view line) {
        appendReportLine(line, line.empty() ? ReportLineKind::Blank : ReportLineKind::Text);
    }
    void appendReportLine(std::string_view line, ReportLineKind kind);
    // A pair's line: the mark (empty for a pair that counts as equal), then the pair's own text.
    void appendPairLine(std::string_view mark, std::string_view text, const PairRecord& pair);

    std::size_t count() const { return lines_.size(); }
    // An index at or past the end reads as the empty text, a blank line.
    const std::string& line(std::size_t index) const;
    ReportLineKind kind(std::size_t index) const;
    // The result of a pair line; nothing for any other line.
    std::optional<CompareResult> result(std::size_t index) const;
    // The record of a pair line, its names valid while the report is unchanged; nothing for any
    // other line.
    std::optional<PairRecord> pair(std::size_t index) const;
    // A pair line without its mark; any other line whole.
    std::string_view unmarkedText(std::size_t index) const;
    // What the run was asked and how it ended, for the report saved for scripts; a report that
    // no run wrote has an empty request and zero counts.
    void setRequest(const RunRequest& request) { request_ = request; }
    const RunRequest& request() const { return request_; }
    void setInterrupted(bool interrupted) { interrupted_ = interrupted; }
    bool interrupted() const { return interrupted_; }
    void setCounters(const RunCounters& counters) { counters_ = counters; }
    const RunCounters& counters() const { return counters_; }

    // Changes with every clear and append, so a view can tell whether what it shows is stale.
    std::uint64_t revision() const { return revision_; }

private:
    static constexpr std::uint32_t kNone = UINT32_MAX;
    struct Line {
        std::string text;
        ReportLineKind kind;
        std::uint8_t markLength;
        std::uint32_t pair; // an index into pairs_
    };
    // A pair's facts in few bytes, since reports can be long: the directory shared by its
    // pairs, and the name read from the line's text when the line shows it unchanged.
    struct PackedPair {
        std::int64_t leftSize;  // -1 when not known
        std::int64_t rightSize; // -1 when not known
        std::uint32_t directory;
        std::uint32_t nameLength; // kNone when the name is kept in ownNames_
        std::int32_t errorCode;
        CompareResult result;
    };
    // A report of millions of pairs is held whole: what a pair adds must stay this small.
    static_assert(sizeof(PackedPair) == 32);

    std::vector<Line> lines_;
    std::vector<PackedPair> pairs_;
    std::vector<std::string> directories_;
    std::unordered_map<std::uint32_t, std::string> ownNames_; // by pair index
    // What a pair tells of names matched across spellings, kept for the few pairs that have it.
    struct Naming {
        std::string rightPath;
        std::string collidesWith;
        int nameSide;
        int collidingSide;
        std::string moveCandidates;
    };
    std::unordered_map<std::uint32_t, Naming> namings_; // by pair index
    std::uint64_t revision_ = 0;
    RunRequest request_;
    RunCounters counters_;
    bool interrupted_ = false;
};

} // namespace quorvel
