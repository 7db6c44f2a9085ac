#pragma once

#include "engine/CompareOptions.h"
#include "engine/FileAccess.h"
#include "engine/NameCollision.h"
#include "engine/NameMatcher.h"
#include "engine/TreeWalk.h"

#include <string>
#include <string_view>
#include <vector>

namespace quorvel {

class NameFilter;

// A right directory's names without a namesake on the left, each kind in name order, and the
// names that collide.
struct RightOnlyNames {
    std::vector<std::string_view> files;
    std::vector<std::string_view> directories;
    std::vector<NameCollision> collisions;
};

// Which names of one directory level are namesakes on the two sides: a pair's name on the
// right, the subdirectories the walk goes on with, the names only on the right and those that
// collide. By default a name's namesake is the name itself; a rule may match names across
// spellings.
class LevelNamesakes {
public:
    explicit LevelNamesakes(const NameFilter& names) : names_(names) {}

    void setOptions(const CompareOptions& options);
    bool exact() const { return matcher_.exact(); }

    // The right directory a left one goes with: where the walk found it spelt otherwise, else at
    // the same relative path.
    static std::string rightDirectory(const WalkStep& step, const std::string& rightBase);
    // Across spellings the right's names are needed before any pair of the level: lists them
    // into `rightListing` and learns them, and tells the level where the right directory is. By
    // default it does nothing. Both listings must outlive the questions.
    void listRightFirst(FileAccess& files, const ListedEntries& left, const std::string& right,
                        DirectoryListing& rightListing, WalkLevel& level);
    // A left name's namesake on the right (its own name where there is none), or the names that
    // make it a guess.
    NameMatch rightNameOf(std::string_view leftName) const;
    // A pair's right relative path where it is spelt otherwise than the left's, else empty.
    static std::string rightRelativePath(const WalkStep& step, std::string_view leftName,
                                         std::string_view rightName);
    static NameCollision collision(const DirectoryEntry& entry, const std::string& relativePath,
                                   int side, const NameMatch& match);

    // Tells the walk which left subdirectories go with a right one spelt otherwise and which it
    // leaves out, as they collide; returns those, in listing order. By default there are none.
    std::vector<NameCollision> matchSubdirectories(const ListedEntries& listing,
                                                   const std::string& relativePath,
                                                   WalkLevel& level) const;
    // The files the filter lets through and (when the walk recurses) the directories of a right
    // listing that are only on the right; `left` is null when the left directory is not there.
    RightOnlyNames rightOnly(const ListedEntries& right, const ListedEntries* left,
                             const std::string& relativePath);

private:
    // Whether an entry on one side only is listed: a file the filter lets through, or a
    // directory the walk enters.
    bool listed(const DirectoryEntry& entry) const;

    const NameFilter& names_;
    NameMatcher matcher_;
    bool recurse_ = true;
};

} // namespace quorvel
