#pragma once

#include "engine/PairRecord.h"

#include <optional>
#include <string>
#include <string_view>

namespace quorvel {

class RunBookkeeping;
class RunObserver;
class RunRecord;
struct RunState;

// Writes the pairs of a run that meets its files one at a time, in walk order: each directory
// told to the observer when its first file is met, and its block opened before its first line.
class DirectoryBlocks {
public:
    DirectoryBlocks(RunState& state, RunObserver& observer, RunRecord& record,
                    RunBookkeeping& books);

    void reset();
    // Tells the observer of a directory's files the first time one of them is met.
    void enter(std::string_view directory);
    // Counts the pair and writes its line unless it counts as equal and only differences are
    // listed; once the run is interrupted, neither.
    void record(const PairRecord& pair);

private:
    RunState& state_;
    RunObserver& observer_;
    RunRecord& record_;
    RunBookkeeping& books_;
    std::optional<std::string> lastDirectory_;
    bool blockWritten_ = false;
};

} // namespace quorvel
