#pragma once

#include "FileAccess.h"

#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

namespace quorvel {

class PairComparer;
class RunBookkeeping;
class RunView;
struct RunState;

// Walks the left tree under the filter: sums the sizes it will compare, then compares each file
// with its namesake under the right tree, depth first.
class DirectoryWalker {
public:
    DirectoryWalker(RunState& state, RunView& view, FileAccess& files, PairComparer& pairs,
                    RunBookkeeping& books);

    // The empty relative path starts a walk at the compared directories.
    void compareDirectory(const std::string& leftBase, const std::string& rightBase,
                          const std::string& relativePath);
    double totalSize(const std::string& directory, bool recurse, const std::string& filter);

private:
    void compareLevel(const std::string& leftBase, const std::string& rightBase,
                      const std::string& relativePath);
    double sizeOfLevel(const std::string& directory, bool recurse);
    // Enters a subdirectory unless it is already being walked higher up (a link loop).
    bool enter(const std::string& directory);
    void startWalk(const std::string& directory, const std::string& filter);
    // The size pass lists each directory once; the comparison takes that listing over.
    std::optional<std::vector<DirectoryEntry>> takeListing(const std::string& directory);
    // A line of this level, after the level's subdirectory block the first time.
    void appendLevelLine(const std::string& relativePath, bool& blockWritten,
                         const std::string& line);

    RunState& state_;
    RunView& view_;
    FileAccess& files_;
    PairComparer& pairs_;
    RunBookkeeping& books_;
    std::vector<std::string> patterns_;
    std::vector<FileIdentity> walking_;
    std::unordered_map<std::string, std::optional<std::vector<DirectoryEntry>>> listings_;
};

} // namespace quorvel
