#pragma once

#include "engine/CompareOptions.h"
#include "engine/FileAccess.h"
#include "engine/LevelNamesakes.h"
#include "engine/NameFilter.h"
#include "engine/PairRecord.h"
#include "engine/ReadPlanner.h"
#include "engine/TreeWalk.h"
#include "engine/WalkOptions.h"

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace quorvel {

class PairComparer;
class RunBookkeeping;
class RunObserver;
class RunRecord;
struct PairRecord;
struct RunState;

// Walks the left tree under the filter: sums the sizes it will compare, then compares each file
// with its namesake under the right tree, depth first. Both passes use one walk that keeps its
// levels on a stack of its own, so a tree of any depth is walked without running out of call
// stack.
class DirectoryWalker {
public:
    DirectoryWalker(RunState& state, RunObserver& observer, RunRecord& record, FileAccess& files,
                    PairComparer& pairs, RunBookkeeping& books);

    void setOptions(const WalkOptions& options) { listings_.setOptions(options); }

    // The empty relative path starts a walk at the compared directories.
    void compareDirectory(const std::string& leftBase, const std::string& rightBase,
                          const std::string& relativePath);
    double totalSize(const std::string& directory, const CompareOptions& options);
    // The pairs the last size pass found.
    std::int64_t pairsSized() const { return pairsSized_; }

private:
    // A pass's work in one directory: the level to walk on from.
    using Visit = std::function<WalkLevel(const WalkStep& step)>;

    // Depth first from `relativePath` below `base`; ends early once an abort is seen.
    void walk(const std::string& base, const std::string& relativePath, const Visit& visit);

    WalkLevel compareLevel(const std::string& left, const std::string& right, const WalkStep& step);
    // Names paired with none, as others share their key; false once the run stops.
    bool recordCollisions(const std::vector<NameCollision>& collisions,
                          const std::string& relativePath, bool& blockWritten);
    // A directory only on the right: each file it holds is listed as such, and so are its
    // subdirectories' files in turn.
    WalkLevel rightOnlyLevel(const std::string& right, const std::string& relativePath);
    // With both sides: the files of a right directory without a namesake on the left, listed as
    // such, and its subdirectories without one, for the walk.
    // Returns how many files it listed.
    std::size_t listRightOnly(const ListedEntries& right, const std::string& rightPath,
                              const ListedEntries* left, const std::string& relativePath,
                              bool& blockWritten, WalkLevel& level);
    // Whether the walk goes on into a subdirectory of the listing.
    bool enteredBelow(const ListedEntries& listing) const;
    // A directory whose listing failed, as the pair that stands for what it holds.
    void recordUnreadable(const std::string& path, const std::string& relativePath,
                          CompareResult result, int errorCode);
    WalkLevel sizeLevel(const std::string& directory, bool recurse,
                        const std::optional<DirectoryLook>& look, double& sum);

    // Names a directory the walk lists after this level, for another thread to list: the next
    // one, or as many more as `skip` says.
    void listAhead(const std::string& directory, const ListedEntries* listing, std::size_t skip);
    // Where a level's walk through its pairs stands: at a pattern, and at a name of the listing.
    struct PairCursor {
        std::size_t pattern = 0;
        std::size_t index = 0;
    };
    // The next file of the listing that the filter lets through, pattern by pattern.
    std::optional<DirectoryEntry> nextPair(const ListedEntries& listing, PairCursor& cursor) const;
    // A pair of this level, after the level's subdirectory block the first time.
    void recordLevelPair(bool& blockWritten, const PairRecord& pair);
    // A pair no file of which is read: it shows in the progress and is recorded; false once the
    // run stops.
    bool recordUnread(bool& blockWritten, const PairRecord& pair);

    RunState& state_;
    RunObserver& observer_;
    RunRecord& record_;
    FileAccess& files_;
    PairComparer& pairs_;
    RunBookkeeping& books_;
    NameFilter names_;
    LevelNamesakes namesakes_{names_};
    TreeWalk walk_{files_, names_};
    ReadPlanner listings_;
    std::int64_t pairsSized_ = 0;
};

} // namespace quorvel
