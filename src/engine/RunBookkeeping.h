#pragma once

#include "engine/PairRecord.h"

namespace quorvel {

class RunObserver;
struct RunState;

// Counts the pairs of a run.
class RunBookkeeping {
public:
    RunBookkeeping(RunState& state, RunObserver& observer);

    // Counts a pair and tells the observer; false, with nothing counted, once the run has been
    // interrupted: the pair's line is then not written.
    bool accountPair(const PairRecord& pair);

private:
    RunState& state_;
    RunObserver& observer_;
};

} // namespace quorvel
