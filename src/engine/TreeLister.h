#pragma once

#include "engine/CompareOptions.h"
#include "engine/FileAccess.h"
#include "engine/NameFilter.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quorvel {

// One thing a walk met: a file that passes the filter, or a directory that could not be read.
struct TreeItem {
    std::string path;      // relative to the root, "/" between names; "dir/" or "./" unreadable
    std::string directory; // the relative path of the directory it is in, "" at the top
    std::string name;      // as a report line shows it
    std::string wholePath; // for opening it
    std::int64_t size = 0;
    int errorCode = 0; // set for a directory that could not be read
    bool unreadableDirectory = false;
};

// Walks a tree as directory mode walks its left side (filter, exclusions, recursion, links with
// a guard against loops) and hands out what it meets one at a time, in the order of
// manifestPathLess: only the directories on the way down are held, never the whole tree.
class TreeLister {
public:
    // `hintAhead` asks the file system to fetch the next files of a directory while one is read.
    TreeLister(FileAccess& files, std::string root, const CompareOptions& options, bool hintAhead);

    std::optional<TreeItem> next();

private:
    struct Level {
        std::string path;     // whole
        std::string relative; // "" at the top
        std::optional<ListedEntries> entries;
        std::size_t nextFile = 0;
        std::size_t hinted = 0;
        std::size_t nextDirectory = 0;
        bool identified = false;
    };

    void enter(std::string path, std::string relative, const std::optional<DirectoryLook>& look);
    bool takesFile(const DirectoryEntry& entry) const;
    void hint(Level& level);

    FileAccess& files_;
    CompareOptions options_;
    bool hintAhead_;
    NameFilter names_;
    std::vector<Level> levels_;
    std::vector<FileIdentity> walking_;
    std::optional<TreeItem> pending_; // the unreadable directory just entered
};

} // namespace quorvel
