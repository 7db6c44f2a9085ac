#pragma once

#include <cstdint>

namespace quorvel::test {

// Counts what the whole program allocates on the heap through new and delete, so that a test can
// tell how memory grows with its input without looking at a clock.
struct HeapCounts {
    std::int64_t allocations = 0;
    std::int64_t bytesAllocated = 0; // all allocations together
    std::int64_t liveBytes = 0;      // allocated and not yet freed
    std::int64_t peakLiveBytes = 0;  // highest liveBytes since the last resetPeak()
};

HeapCounts heapCounts();
// Starts a new peak from the bytes live now.
void resetHeapPeak();

} // namespace quorvel::test
