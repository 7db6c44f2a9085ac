#pragma once

#include "engine/FileAccess.h"
#include "engine/NameFilter.h"

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace quorvel {

// A directory the walk enters.
struct WalkStep {
    std::string path;         // whole
    std::string relativePath; // "" at the top
    std::optional<DirectoryLook> look;
    bool rightOnly = false; // with both sides: a directory only the right tree has
};

// What a visit of a directory leaves for the walk to go on from: the listing whose
// subdirectories it enters, and with both sides the right directory's subdirectories that have
// no namesake on the left. An empty level goes no deeper.
struct WalkLevel {
    ListedEntries owned;
    const ListedEntries* kept = nullptr; // a listing kept elsewhere, instead of `owned`
    std::string rightPath;
    std::vector<std::string> rightOnly; // in name order

    const ListedEntries& entries() const { return kept ? *kept : owned; }
};

// Depth first through a tree, subdirectories in name order (both sides' in one order), with a
// stack of its own so that a tree of any depth is walked without running out of call stack. A
// link back to a directory being walked higher up is not entered again, and an excluded
// directory is never looked at.
class TreeWalk {
public:
    struct Level : WalkLevel {
        std::string path;
        std::string relativePath;
        std::size_t next = 0;
        std::size_t nextRightOnly = 0;
        bool identified = false; // its identity is on the stack of directories being walked
    };

    TreeWalk(FileAccess& files, const NameFilter& names) : files_(files), names_(names) {}

    void start(const std::string& base, const std::string& relativePath);
    // The next directory to visit: the top, then the subdirectories of the levels entered. Each
    // step given must be entered before the next is asked for.
    std::optional<WalkStep> next();
    void enter(WalkStep step, WalkLevel level);
    // The levels entered and not yet left, the deepest last.
    const std::vector<Level>& levels() const { return levels_; }

private:
    std::optional<WalkStep> nextSubdirectory(Level& level);

    FileAccess& files_;
    const NameFilter& names_;
    std::vector<Level> levels_;
    std::vector<FileIdentity> walking_;
    std::optional<WalkStep> top_;
};

} // namespace quorvel
