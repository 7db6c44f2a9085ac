#pragma once

#include "engine/PosixFileAccess.h"

#include <cstdint>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace quorvel::test {

// The descriptors this process has open now.
int openDescriptorCount();

// The real file system with every call counted, and places to change the files between the
// engine's calls: after a directory is listed and while a file is read.
class HookedFileAccess : public PosixFileAccess {
public:
    using PosixFileAccess::PosixFileAccess;

    struct Counts {
        std::int64_t lookUps = 0;
        std::int64_t opens = 0;
        std::int64_t failedOpens = 0;
        std::int64_t reads = 0;
        std::int64_t bytesRead = 0;
        std::int64_t willReads = 0;
        std::int64_t listings = 0;
        std::int64_t identities = 0;
        std::int64_t openHandles() const { return opens - failedOpens; }
        std::int64_t total() const {
            return lookUps + opens + reads + willReads + listings + identities;
        }
    };

    // After a listing of `path`, with the count of listings of that path so far (1 for the first).
    std::function<void(const std::string& path, int listing)> afterListing;
    // After each read: the path the handle was opened for, the count of reads on it so far and
    // the count read; returns the count the engine sees.
    std::function<std::int64_t(const std::string& path, int read, std::int64_t count)> onRead;
    // After each look at a directory, with what it found, which the test may change.
    std::function<void(const std::string& path, DirectoryLook& look)> onDirectoryLook;
    // Directories whose listing fails with EACCES, as one that cannot be read.
    std::set<std::string> unreadableDirectories;
    // Directories whose listing fails with the given reason, as when reading stops part-way.
    std::map<std::string, int> failingListings;
    // Keeps the path of every listing and of every opened handle (costs memory per call).
    bool keepPaths = true;

    Counts counts;
    std::vector<std::string> listedPaths;
    // Handles that turned out to be something other than a regular file.
    std::vector<std::string> openedOtherThanFiles;

    LookedUpFile lookUpFile(const std::string& path) override;
    OpenedFile openFile(const std::string& path, const DirectoryEntry* listed) override;
    BlockRead readBlock(OpenedFile& file, char* buffer, std::int64_t size) override;
    void willRead(const std::string& directory, std::string_view name, bool listed) override;
    DirectoryListing listDirectory(const std::string& path) override;
    // Sorted and with sizes, which the engine takes as well: every listing goes through the hooks.
    DirectoryListing listNames(const std::string& path) override { return listDirectory(path); }
    std::optional<DirectoryLook> lookAtDirectory(const std::string& path) override;
    // Every call goes through the hooks on the run's own thread: nothing is read on another.
    void willReadWhole(const std::string&) override {}
    std::unique_ptr<FileAccess> forAnotherThread() const override { return nullptr; }

    // The descriptors the process has open beyond those it had when this was made, once what is
    // kept between runs is let go: 0 when every file opened was closed again.
    int descriptorsLeftOpen();

private:
    struct Opened {
        std::string path;
        int reads = 0;
    };
    std::map<int, Opened> open_;
    std::map<std::string, int> listingsOf_;
    int descriptorsAtStart_ = openDescriptorCount();
};

} // namespace quorvel::test
