#pragma once

#include "engine/CompareResult.h"
#include "engine/FileAccess.h"

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
// with its namesake under the right tree, depth first. Both walks keep their levels on a stack of
// their own, so a tree of any depth is walked without running out of call stack.
class DirectoryWalker {
public:
    DirectoryWalker(RunState& state, RunView& view, Report& report, FileAccess& files,
                    PairComparer& pairs, RunBookkeeping& books);

    // The empty relative path starts a walk at the compared directories.
    void compareDirectory(const std::string& leftBase, const std::string& rightBase,
                          const std::string& relativePath);
    double totalSize(const std::string& directory, bool recurse, const std::string& filter);

private:
    using Listing = DirectoryListing;
    using Key = std::pair<std::uint64_t, std::uint64_t>; // a directory's device and inode

    // One directory being walked: its subdirectories still to enter, and how long the path was
    // before it was entered (paths are one string, cut back when a level is left).
    struct Level {
        std::vector<DirectoryEntry> owned;
        const std::vector<DirectoryEntry>* kept = nullptr; // the size pass's listing, when kept
        std::size_t next = 0;
        std::size_t parentLength = 0;
        bool identified = false; // its identity is on the stack of directories being walked

        const std::vector<DirectoryEntry>& entries() const { return kept ? *kept : owned; }
    };
    // Whether to enter a subdirectory, and whether its identity was put on the stack.
    struct Entering {
        bool enter = false;
        std::optional<FileIdentity> identity;
    };

    // This level's files; its subdirectories when the walk goes on below it.
    Level compareLevel(const std::string& leftBase, const std::string& rightBase,
                       const std::string& relativePath,
                       const std::optional<FileIdentity>& identity);
    Level sizeLevel(const std::string& directory, bool recurse,
                    const std::optional<FileIdentity>& identity, double& sum);
    // The next subdirectory of the level on top that is not already being walked higher up (a
    // link loop), or nothing when the level is done.
    std::optional<std::pair<std::string, Entering>> nextSubdirectory(Level& level,
                                                                     const std::string& parent);
    // Enters the subdirectory `name` of the walk at `path`.
    static void descend(std::string& path, const std::string& name);
    void leave(std::vector<Level>& levels, std::string& path);
    void startWalk(const std::string& directory, const std::string& filter);
    // The size pass lists each directory once; the comparison takes that listing over.
    Listing takeListing(const std::string& directory, const std::optional<FileIdentity>& identity);
    // A pair line of this level, after the level's subdirectory block the first time.
    void appendLevelLine(const std::string& relativePath, bool& blockWritten,
                         const std::string& name, CompareResult result);

    RunState& state_;
    RunView& view_;
    Report& report_;
    FileAccess& files_;
    PairComparer& pairs_;
    RunBookkeeping& books_;
    std::vector<std::string> patterns_;
    std::vector<FileIdentity> walking_;
    std::optional<FileIdentity> top_;
    std::map<Key, Listing> listings_;
};

} // namespace quorvel
