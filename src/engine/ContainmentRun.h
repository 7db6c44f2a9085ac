#pragma once

#include "engine/CompareBuffers.h"
#include "engine/DirectoryBlocks.h"
#include "engine/FilesBySize.h"
#include "engine/HashQueue.h"
#include "engine/PairComparer.h"
#include "engine/RunBookkeeping.h"
#include "engine/RunRequest.h"
#include "engine/RunState.h"
#include "engine/RunSteps.h"

#include <deque>
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
// several files share is told apart by hashes (made ahead on other threads where the file access
// allows), and only bytes compared equal make a file present. Written to a record and told to an
// observer as a directory run is, with its steps.
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
    // A directory that could not be listed stands for the files it holds, on either side.
    void recordUnreadable(const WalkedFile& directory, CompareResult result);
    // The second tree's files by size; false when the run stopped meanwhile.
    bool indexRight();
    // Whether the file's size is shared by several right files, which its hash tells apart.
    bool needsHash(const WalkedFile& file);
    // Asks for the hashes the file needs: the right files of its size not yet asked for, then
    // its own. Only within the queue's bound unless `whole`, where the oldest are taken to stay
    // within it; false when they were not all asked for.
    bool askHashes(const WalkedFile& file, bool whole);
    // Takes the oldest hash asked for: a right file's is kept with it (its problem told), a left
    // file's handed back in `left`. False once the run stops.
    bool takeHash(std::optional<HashedFile>& left);
    // `asked` when askHashes did it for the file already.
    void lookFor(const WalkedFile& file, bool asked);
    // Compares the left file's bytes with a candidate's; a candidate that cannot be read is
    // marked so, told, and never tried again.
    Match compareWith(const WalkedFile& file, RightFile& candidate, PairRecord& outcome);
    // The same with the left file's contents read with its hash: only the candidate is read.
    Match compareWithHeld(const std::string& held, RightFile& candidate, PairRecord& outcome);
    // The left file found as `relative`, with the sizes read.
    Match present(std::string relative, std::optional<std::int64_t> leftSize,
                  std::optional<std::int64_t> rightSize, PairRecord& outcome);
    // A candidate that could not be read: told (0 for one that is gone) and never tried again.
    Match dropCandidate(RightFile& candidate, const std::string& rightPath, int errorCode);
    std::string rightPathOf(const RightFile& file) const;

    RunObserver& observer_;
    RunRecord& record_;
    FileAccess& files_;
    RunState state_;
    CompareBuffers buffers_;
    PairComparer pairs_;
    RunBookkeeping books_;
    DirectoryBlocks blocks_;
    std::string left_;
    std::string right_;
    FilesBySize rightFiles_;
    std::optional<HashQueue> hashes_;
    std::deque<RightFile*> hashedFor_; // of each hash asked for; none for a left file
    std::string foundAt_;              // the present file's match, while its record is handed on
};

} // namespace quorvel
