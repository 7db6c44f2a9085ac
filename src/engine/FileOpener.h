#pragma once

#include "engine/FileAccess.h"
#include "engine/OpenDirectories.h"

#include <memory>
#include <optional>
#include <string>
#include <sys/stat.h>
#include <utility>

namespace quorvel {

// What a look at a regular file finds, enough to tell whether it is still the file opened
// earlier and unchanged since.
struct FileLook {
    FileIdentity identity;
    std::int64_t size = 0;
    std::int64_t modified = 0;
    std::int64_t changed = 0;
    bool operator==(const FileLook&) const = default;
};

// What a look at a file or directory found.
FileLook lookOf(const struct stat& st);

// Looks up and opens regular files by path, relative to the directories it keeps open. One per
// thread: it keeps state between calls.
class FileOpener {
public:
    explicit FileOpener(std::shared_ptr<SharedListings> listings = nullptr)
        : directories_(std::move(listings)) {}

    LookedUpFile lookUp(const std::string& path);
    // Nothing when the name is no regular file now or cannot be looked at.
    std::optional<FileLook> look(const std::string& path);
    // Opens a name only if it is a regular file, and makes sure it still is once open.
    // `listedRegular` when a listing just found it to be one. `opened` gets its look.
    OpenedFile open(const std::string& path, bool listedRegular, FileLook* opened = nullptr);
    void forget() { directories_.forget(); }

private:
    OpenDirectories directories_;
};

} // namespace quorvel
