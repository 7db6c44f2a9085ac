#pragma once

#include "engine/FileAccess.h"
#include "engine/NameFilter.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace quorvel {

// A directory the walk enters.
struct WalkStep {
    std::string path;         // whole
    std::string relativePath; // "" at the top
    std::optional<DirectoryLook> look;
    bool rightOnly = false; // with both sides: a directory only the right tree has
    // Where names are matched across spellings and the right directory is spelt otherwise
    // along its path: where it is, whole and relative; else both empty.
    std::string rightPath;
    std::string rightRelativePath;
};

// What a visit of a directory leaves for the walk to go on from: the listing whose
// subdirectories it enters, and with both sides the right directory's subdirectories that have
// no namesake on the left. An empty level goes no deeper.
struct WalkLevel {
    ListedEntries owned;
    const ListedEntries* kept = nullptr; // a listing kept elsewhere, instead of `owned`
    std::string rightPath;
    std::vector<std::string> rightOnly; // in name order
    // Where names are matched across spellings: subdirectories whose right namesake is spelt
    // otherwise (the left name, then the right), and those the walk leaves out, as their names
    // collide.
    std::vector<std::pair<std::string, std::string>> spelledOtherwise;
    std::vector<std::string> unwalked;

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
        std::string rightRelativePath; // where spelt otherwise than relativePath
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
    bool walked(const Level& level, std::string_view name) const;
    // A left subdirectory's right namesake, where its path there is spelt otherwise.
    void spellRight(const Level& level, std::string_view name, WalkStep& step) const;

    FileAccess& files_;
    const NameFilter& names_;
    std::vector<Level> levels_;
    std::vector<FileIdentity> walking_;
    std::optional<WalkStep> top_;
};

} // namespace quorvel
