#pragma once

#include "engine/CompareResult.h"
#include "engine/FileAccess.h"
#include "engine/WalkOptions.h"

#include <cstddef>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace quorvel {

class PairComparer;
class Report;
class RunBookkeeping;
class RunView;
struct RunState;

// Walks the left tree under the filter: sums the sizes it will compare, then compares each file
// with its namesake under the right tree, depth first. Both passes use one walk that keeps its
// levels on a stack of its own, so a tree of any depth is walked without running out of call
// stack.
class DirectoryWalker {
public:
    DirectoryWalker(RunState& state, RunView& view, Report& report, FileAccess& files,
                    PairComparer& pairs, RunBookkeeping& books);

    void setOptions(const WalkOptions& options) { options_ = options; }

    // The empty relative path starts a walk at the compared directories.
    void compareDirectory(const std::string& leftBase, const std::string& rightBase,
                          const std::string& relativePath);
    double totalSize(const std::string& directory, bool recurse, const std::string& filter);

private:
    using Key = std::pair<std::uint64_t, std::uint64_t>; // a directory's device and inode

    // One directory being walked: its subdirectories still to enter, and how long the relative
    // path was before it was entered (the path is one string, cut back when a level is left).
    struct Level {
        std::string path; // the directory's whole path
        std::vector<DirectoryEntry> owned;
        const std::vector<DirectoryEntry>* kept = nullptr; // the size pass's listing, when kept
        std::size_t next = 0;
        std::size_t parentLength = 0;
        bool identified = false; // its identity is on the stack of directories being walked

        const std::vector<DirectoryEntry>& entries() const { return kept ? *kept : owned; }
    };
    // A pass's work in one directory, given its whole and relative paths and its identity: the
    // level to walk on from, empty when the walk goes no deeper there.
    using Visit = std::function<Level(const std::string& path, const std::string& relativePath,
                                      const std::optional<FileIdentity>& identity)>;

    // Depth first from `relativePath` below `base`, guarding against link loops: a directory
    // already being walked higher up is not entered again. Ends early once an abort is seen.
    void walk(const std::string& base, const std::string& relativePath, const Visit& visit);

    Level compareLevel(const std::string& left, const std::string& rightBase,
                       const std::string& relativePath,
                       const std::optional<FileIdentity>& identity);
    Level sizeLevel(const std::string& directory, bool recurse,
                    const std::optional<FileIdentity>& identity, double& sum);
    // The next subdirectory of a level that is not already being walked higher up, with its
    // identity when it has one (which is then on the stack), or nothing when the level is done.
    std::optional<std::pair<std::string, std::optional<FileIdentity>>>
    nextSubdirectory(Level& level);

    // The size pass lists each directory once; the comparison takes that listing over when it
    // was kept.
    DirectoryListing takeListing(const std::string& directory,
                                 const std::optional<FileIdentity>& identity);
    // Whether the listing fits under the cap on kept listings; if so, its room is taken.
    bool roomToKeep(const DirectoryListing& listing);
    // A pair line of this level, after the level's subdirectory block the first time.
    void appendLevelLine(const std::string& relativePath, bool& blockWritten,
                         const std::string& name, CompareResult result);

    RunState& state_;
    RunView& view_;
    Report& report_;
    FileAccess& files_;
    PairComparer& pairs_;
    RunBookkeeping& books_;
    WalkOptions options_;
    std::vector<std::string> patterns_;
    std::vector<FileIdentity> walking_;
    std::map<Key, DirectoryListing> listings_;
    std::size_t keptBytes_ = 0;
};

} // namespace quorvel
