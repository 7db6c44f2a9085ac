#include "engine/RunDriver.h"

#include "engine/RunSteps.h"

namespace quorvel {

namespace {

void tell(const std::function<void()>& stage) {
    if (stage) {
        stage();
    }
}

} // namespace

void driveRun(RunSteps& run, const RunStages& stages) {
    if (stages.sumSizes) {
        tell(stages.sizing);
        run.sumSizes();
        tell(stages.sized);
    }
    tell(stages.pairing);
    run.comparePairs();
    tell(stages.paired);
    run.end();
}

} // namespace quorvel
