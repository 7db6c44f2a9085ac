#pragma once

#include <functional>

namespace quorvel {

class RunSteps;

// What a caller shows between a run's steps; each may be left empty.
struct RunStages {
    bool sumSizes = false;         // the size pass, for a progress that needs the total
    std::function<void()> sizing;  // before the size pass
    std::function<void()> sized;   // after it, before the pairs
    std::function<void()> pairing; // before the pairs
    std::function<void()> paired;  // after the pairs, before the status and the summary
};

// Runs a begun run to its end: the size pass when asked, the pairs, the status and the summary.
void driveRun(RunSteps& run, const RunStages& stages);

} // namespace quorvel
