#pragma once

#include "engine/CompareBuffers.h"
#include "engine/FileHasher.h"
#include "engine/FilesBySize.h"
#include "engine/PairComparer.h"
#include "engine/RunBookkeeping.h"
#include "engine/RunRequest.h"
#include "engine/RunState.h"
#include "engine/RunSteps.h"

#include <optional>
#include <string>
#include <string_view>

namespace quorvel {

class FileAccess;
class RunObserver;
class RunRecord;
struct WalkedFile;

// Whether each file of the first tree is, by its contents, anywhere in the second, whatever its
// name or folder. The second tree is walked once and held by size; sizes decide first, a size
// several files share is told apart by hashes, and only bytes compared equal make a file
// present. Written to a record and told to an observer as a directory run is, with its steps.
class ContainmentRun : public RunSteps {
public:
    ContainmentRun(RunObserver& observer, RunRecord& record, FileAccess& files);

    void begin(const RunRequest& request); // clears the record and writes the heading
    void sumSizes() override;
    void comparePairs() override;
    void end() override;

    void requestAbort() { state_.abortRequested = true; }
    const RunState& state() const override { return state_; }

private:
    using RightFile = FilesBySize::File;
    enum class Match { Equal, Unequal, LeftTrouble, Stopped };

    // Polls the observer; true once the run is to stop.
    bool stopping();
    // Tells the observer of a directory's files the first time one of them is met.
    void enterDirectory(std::string_view directory);
    // A directory that could not be listed stands for the files it holds, on either side.
    void recordUnreadable(const WalkedFile& directory, CompareResult result);
    // The second tree's files by size; false when the run stopped meanwhile.
    bool indexRight();
    void lookFor(const WalkedFile& file);
    // Compares the left file's bytes with a candidate's; a candidate that cannot be read is
    // marked so, told, and never tried again.
    Match compareWith(const WalkedFile& file, RightFile& candidate, PairRecord& outcome);
    // The hash of a file read now, or nothing with `errorCode` set; nothing too when stopped.
    std::optional<Hash128> hashOf(const std::string& path, std::int64_t size, int& errorCode);
    // Counts the file and writes its line, after its directory's block the first time.
    void recordFile(const PairRecord& pair);

    RunObserver& observer_;
    RunRecord& record_;
    FileAccess& files_;
    RunState state_;
    CompareBuffers buffers_;
    PairComparer pairs_;
    RunBookkeeping books_;
    FileHasher hasher_;
    std::string left_;
    std::string right_;
    FilesBySize rightFiles_;
    std::string foundAt_; // the present file's match, while its record is handed on
    std::optional<std::string> lastDirectory_;
    bool blockWritten_ = false;
};

} // namespace quorvel
