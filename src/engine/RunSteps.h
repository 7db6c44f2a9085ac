#pragma once

#include "engine/RunState.h"

namespace quorvel {

// The steps of a run begun, whatever its sides are (trees, manifests); driven by driveRun.
class RunSteps {
public:
    virtual ~RunSteps() = default;
    virtual void sumSizes() = 0;
    virtual void comparePairs() = 0;
    virtual void end() = 0; // the status and the summary
    virtual const RunState& state() const = 0;
};

} // namespace quorvel
