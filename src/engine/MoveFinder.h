#pragma once

#include "engine/ContentHash.h"
#include "engine/FileHasher.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace quorvel {

class FileAccess;
class RunObserver;
struct RunState;

// A file found on one side only, which may be the other side's file moved.
struct MoveCandidate {
    int side = 1; // 1 the left, 2 the right
    std::int64_t size = 0;
    bool recorded = false;       // in a manifest, whose hash stands for reading it
    std::optional<Hash128> hash; // what the manifest recorded
};

// What the search found for one candidate: the other side's file it is, or the other side's
// files that hold the same contents where there are several (then it is none of them).
struct MoveMatch {
    std::optional<std::size_t> partner;
    // Shared by every file of its side in the group, so that many alike cost one list a side.
    std::shared_ptr<const std::vector<std::size_t>> candidates;
};

// Matches files found on one side only with those on the other by their contents: sizes first,
// then the bytes, each file read once. A hash decides only where a manifest stands for a side,
// or, among more files of one size than can be open at once, which of them to compare.
class MoveFinder {
public:
    // `pathOf` names a candidate's file for reading it: made only for those of a size that
    // both sides have, as a run may hold millions.
    using PathOf = std::function<std::string(std::size_t candidate)>;

    MoveFinder(FileAccess& files, RunObserver& observer, RunState& state, PathOf pathOf);

    // One answer a candidate, in their order; nothing matched once the run is stopped.
    std::vector<MoveMatch> find(const std::vector<MoveCandidate>& candidates);

private:
    using Group = std::vector<std::size_t>;

    // Splits files of one size into groups of equal contents, reading them side by side.
    std::vector<Group> byBytes(const Group& group);
    // The same by hash, each file without one hashed now.
    std::vector<Group> byHash(const Group& group);
    // Groups without a file of each side can match nothing.
    bool bothSides(const Group& group) const;
    void answer(const Group& equal, std::vector<MoveMatch>& matches) const;

    FileAccess& files_;
    FileHasher hasher_{files_};
    RunObserver& observer_;
    RunState& state_;
    PathOf pathOf_;
    const std::vector<MoveCandidate>* all_ = nullptr;
    std::vector<std::optional<Hash128>> hashes_;
};

} // namespace quorvel
