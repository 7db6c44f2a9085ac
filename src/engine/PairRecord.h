#pragma once

#include "engine/CompareResult.h"

#include <cstdint>
#include <optional>
#include <string_view>

namespace quorvel {

// One file pair as a run found it: the comparison fills in the outcome, the walk names the pair,
// the report keeps it and every writer reads it. The names are views: valid during the call that
// hands the record on, or, for a record read from a report, while the report is unchanged.
struct PairRecord {
    std::string_view directory; // relative to the compared directories, "" at the top
    // As the line shows it: for a directory that could not be read, its relative path and "/".
    std::string_view name;
    CompareResult result = CompareResult::Equal;
    std::optional<std::int64_t> leftSize;
    std::optional<std::int64_t> rightSize;
    int errorCode = 0; // the system's reason when a side could not be read
    // A side whose size or times moved while it was read (1 the left, 2 the right), told as a
    // read problem only when it moves again in the comparison made once more.
    int changedSide = 0;
};

} // namespace quorvel
