#pragma once

#include "engine/CompareResult.h"

#include <cstdint>
#include <optional>
#include <string_view>

namespace quorvel {

// What a run knew of one pair when it was counted.
struct PairFacts {
    std::string_view directory; // relative to the compared directories, "" at the top
    // As the line shows it: for a directory that could not be read, its relative path and "/".
    std::string_view name;
    CompareResult result = CompareResult::Equal;
    std::optional<std::int64_t> leftSize;
    std::optional<std::int64_t> rightSize;
    int errorCode = 0; // the system's reason when a side could not be read
};

} // namespace quorvel
