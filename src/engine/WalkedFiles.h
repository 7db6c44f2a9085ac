#pragma once

#include "engine/CompareOptions.h"
#include "engine/FileAccess.h"
#include "engine/NameFilter.h"
#include "engine/TreeWalk.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace quorvel {

// One thing a walk met: a file that passes the filter, or a directory that could not be read.
struct WalkedFile {
    std::string path;      // relative to the root, "/" between names; "dir/" or "./" unreadable
    std::string directory; // the relative path of the directory it is in, "" at the top
    std::string name;      // as a report line shows it
    std::string wholePath; // for opening it
    std::int64_t size = 0;
    int errorCode = 0; // set for a directory that could not be read
    bool unreadableDirectory = false;
};

// The files a walk of a tree meets as directory mode walks its left side, handed out one at a
// time in the order of manifestPathLess: only the directories on the way down are held, never
// the whole tree. A name that several patterns match is handed out once.
class WalkedFiles {
public:
    // `hintAhead` asks the file system to fetch the next files of a directory while one is read.
    WalkedFiles(FileAccess& files, const std::string& root, const CompareOptions& options,
                bool hintAhead);

    std::optional<WalkedFile> next();

private:
    bool takesFile(const DirectoryEntry& entry) const;
    void hint();

    FileAccess& files_;
    NameFilter names_;
    TreeWalk walk_{files_, names_};
    bool recurse_;
    bool hintAhead_;
    bool started_ = false;
    // The directory whose files are being handed out.
    const TreeWalk::Level* level_ = nullptr;
    std::size_t nextFile_ = 0;
    std::size_t hinted_ = 0;
};

} // namespace quorvel
