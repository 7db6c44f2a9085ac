#include "engine/RunBookkeeping.h"

#include "engine/RunObserver.h"
#include "engine/RunState.h"

namespace quorvel {

RunBookkeeping::RunBookkeeping(RunState& state, RunObserver& observer)
    : state_(state), observer_(observer) {}

bool RunBookkeeping::accountPair(const PairRecord& pair) {
    if (pair.result == CompareResult::Interrupted || state_.abortRequested) {
        state_.runInterrupted = true;
        return false;
    }
    auto& counters = state_.counters;
    ++counters.filesCompared;
    counters.bytesCompared += static_cast<double>(state_.progress.currentFileSize);
    if (!countsAsEqual(pair.result)) {
        ++counters.differentCount;
    }
    observer_.pairCounted(pair, counters);
    return true;
}

} // namespace quorvel
