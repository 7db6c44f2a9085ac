#pragma once

#include "engine/CompareOptions.h"

#include <cstdint>
#include <string>

namespace quorvel {

struct RunCounters {
    std::int32_t filesCompared = 0;
    std::int32_t differentCount = 0;
    double bytesCompared = 0;
};

struct RunProgress {
    std::string currentFileName;
    std::int64_t currentFileSize = 0;
    std::int64_t currentFileDone = 0;
    double grandTotal = 0;
    std::int64_t grandPairs = 0; // the pairs the size pass found
};

// The state of the one run in progress (or of the last one).
struct RunState {
    CompareOptions options;
    RunCounters counters;
    RunProgress progress;
    bool abortRequested = false;
    bool runInterrupted = false;
};

} // namespace quorvel
