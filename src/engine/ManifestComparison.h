#pragma once

#include "engine/DirectoryBlocks.h"
#include "engine/FileHasher.h"
#include "engine/LeftOutPaths.h"
#include "engine/ManifestEntries.h"
#include "engine/MovesHold.h"
#include "engine/NameMatcher.h"
#include "engine/RunBookkeeping.h"
#include "engine/RunRecord.h"
#include "engine/RunRequest.h"
#include "engine/RunState.h"
#include "engine/RunSteps.h"
#include "engine/WalkedFiles.h"

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace quorvel {

class FileAccess;
class RunObserver;
class RunRecord;

// One side of a comparison with a manifest: a manifest read before the run, or a tree walked and
// read as the run goes.
struct ManifestRunSide {
    std::string named; // the manifest file or the tree's directory, as the heading names it
    const Manifest* manifest = nullptr;
    LeftOutPaths leftOut; // left out of this side, whichever it is
};

// A directory comparison where one side or both are manifests. Both sides are met in the order
// of manifestPathLess and merged; sizes decide first, equal sizes compare the hashes, and a live
// file is read only when its hash is wanted. Written to a record and told to an observer as a
// directory run is, with the same steps.
class ManifestComparison : public RunSteps {
public:
    ManifestComparison(RunObserver& observer, RunRecord& record, FileAccess& files);
    ~ManifestComparison() override;

    void begin(const RunRequest& request, const ManifestRunSide& left,
               const ManifestRunSide& right);
    void sumSizes() override;
    void comparePairs() override;
    void end() override;

    void requestAbort() { state_.abortRequested = true; }
    const RunState& state() const override { return state_; }

private:
    struct Item {
        std::string path;
        std::string directory;
        std::string name;
        std::string wholePath; // live files only
        std::int64_t size = 0;
        std::optional<Hash128> hash;
        int errorCode = 0;
        bool live = false;
        const std::string* recordedIn = nullptr; // the manifest that records its errorCode
    };
    class Cursor;
    // A file met on one side or both, held until its directory's files are all known.
    struct Pending {
        std::optional<Item> left;
        std::optional<Item> right;
        const std::string& directory() const { return left ? left->directory : right->directory; }
    };

    void headingOf(const ManifestRunSide& side, HeadingKind manifestKind, HeadingKind treeKind);
    void compareSame(const Item& left, const Item& right);
    void onlyOnOneSide(const Item& item, bool left);
    // Tells why an item cannot be compared: read now, or recorded so in a manifest.
    void tellProblem(const Item& item);
    // The hash of a live file read now; nothing (and the problem told) when it cannot be read.
    bool hashLive(Item& item);
    // Counts the pair and writes its line, after its directory's block the first time.
    void recordPair(const Item& item, CompareResult result, std::optional<std::int64_t> leftSize,
                    std::optional<std::int64_t> rightSize, int errorCode);

    // What the run writes and tells goes through it, to be held where moves are looked for.
    MovesHold hold_;
    RunObserver& observer_;
    RunRecord& record_;
    FileAccess& files_;
    RunState state_;
    RunBookkeeping books_;
    DirectoryBlocks blocks_;
    FileHasher hasher_;
    NameMatcher matcher_;
    ManifestRunSide left_;
    ManifestRunSide right_;
};

} // namespace quorvel
