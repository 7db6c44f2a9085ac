#pragma once

#include "engine/CompareOptions.h"
#include "engine/CompareResult.h"
#include "engine/FileAccess.h"
#include "engine/NameFilter.h"
#include "engine/NameMatcher.h"
#include "engine/ReadPlanner.h"
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
    // One directory being walked: its subdirectories still to enter, and how long the relative
    // path was before it was entered (the path is one string, cut back when a level is left).
    struct Level {
        std::string path; // the directory's whole path
        ListedEntries owned;
        const ListedEntries* kept = nullptr; // the size pass's listing, when kept
        std::size_t next = 0;
        std::size_t parentLength = 0;
        bool identified = false; // its identity is on the stack of directories being walked
        // With both sides: the right directory, and its subdirectories not on the left.
        std::string rightPath;
        std::vector<std::string> rightOnly;
        std::size_t nextRightOnly = 0;

        const ListedEntries& entries() const { return kept ? *kept : owned; }
    };
    // A subdirectory to enter: its name, a look at it when it could be looked at, and whether it
    // is only on the right.
    struct Subdirectory {
        std::string name;
        std::optional<DirectoryLook> look;
        bool rightOnly = false;
    };
    // A pass's work in one directory, given its whole and relative paths, what a look at it just
    // found, and whether it is only on the right: the level to walk on from, empty when the walk
    // goes no deeper there.
    using Visit = std::function<Level(const std::string& path, const std::string& relativePath,
                                      const std::optional<DirectoryLook>& look, bool rightOnly)>;

    // Depth first from `relativePath` below `base`, guarding against link loops: a directory
    // already being walked higher up is not entered again. Ends early once an abort is seen.
    void walk(const std::string& base, const std::string& relativePath, const Visit& visit);

    Level compareLevel(const std::string& left, const std::string& rightBase,
                       const std::string& relativePath, const std::optional<DirectoryLook>& look);
    // A directory only on the right: each file it holds is listed as such, and so are its
    // subdirectories' files in turn.
    Level rightOnlyLevel(const std::string& right, const std::string& relativePath);
    // With both sides: the files of a right directory without a namesake on the left, listed as
    // such, and its subdirectories without one, for the walk.
    // Returns how many files it listed.
    std::size_t listRightOnly(const ListedEntries& right, const std::string& rightPath,
                              const ListedEntries* left, const std::string& relativePath,
                              bool& blockWritten, Level& level);
    // Whether the walk goes on into a subdirectory of the listing.
    bool enteredBelow(const ListedEntries& listing) const;
    // A directory whose listing failed, as the pair that stands for what it holds.
    void recordUnreadable(const std::string& path, const std::string& relativePath,
                          CompareResult result, int errorCode);
    Level sizeLevel(const std::string& directory, bool recurse,
                    const std::optional<DirectoryLook>& look, double& sum);
    // The next subdirectory of a level that is not already being walked higher up, with a look
    // at it when it could be looked at (its identity is then on the stack), or nothing when the
    // level is done.
    std::optional<Subdirectory> nextSubdirectory(Level& level);

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

    RunState& state_;
    RunObserver& observer_;
    RunRecord& record_;
    FileAccess& files_;
    PairComparer& pairs_;
    RunBookkeeping& books_;
    NameFilter names_;
    NameMatcher matcher_;
    std::vector<FileIdentity> walking_;
    const std::vector<Level>* levels_ = nullptr; // the walk's levels above the one visited
    ReadPlanner listings_;
    std::int64_t pairsSized_ = 0;
};

} // namespace quorvel
