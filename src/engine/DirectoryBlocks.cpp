#include "engine/DirectoryBlocks.h"

#include "engine/RunBookkeeping.h"
#include "engine/RunObserver.h"
#include "engine/RunRecord.h"
#include "engine/RunState.h"

namespace quorvel {

DirectoryBlocks::DirectoryBlocks(RunState& state, RunObserver& observer, RunRecord& record,
                                 RunBookkeeping& books)
    : state_(state), observer_(observer), record_(record), books_(books) {}

void DirectoryBlocks::reset() {
    lastDirectory_.reset();
    blockWritten_ = false;
}

void DirectoryBlocks::enter(std::string_view directory) {
    if (lastDirectory_ != directory) {
        lastDirectory_ = std::string(directory);
        blockWritten_ = false;
        observer_.directoryBegun(directory);
    }
}

void DirectoryBlocks::record(const PairRecord& pair) {
    enter(pair.directory);
    if (!books_.accountPair(pair) || (countsAsEqual(pair.result) && state_.options.onlyDifferent)) {
        return;
    }
    if (!blockWritten_ && !pair.directory.empty()) {
        blockWritten_ = true;
        record_.subdirectory(pair.directory);
    }
    record_.pair(pair);
}

} // namespace quorvel
