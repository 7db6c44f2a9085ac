#pragma once

#include "engine/CompareOptions.h"
#include "engine/PairRecord.h"

#include <cstdint>
#include <string>

namespace quorvel {

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
