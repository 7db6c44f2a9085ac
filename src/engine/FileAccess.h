#pragma once

#include "base/FileDescriptor.h"
#include "engine/ListedEntries.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace quorvel {

class AheadStream;

struct FileIdentity {
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    bool operator==(const FileIdentity&) const = default;
};

// When a directory's names last changed, as the system records it, in nanoseconds since the
// epoch: a listing holds only while both stay as they were.
struct DirectoryStamp {
    std::int64_t modified = 0;
    std::int64_t changed = 0;
    bool operator==(const DirectoryStamp&) const = default;
};

struct DirectoryLook {
    FileIdentity identity;
    DirectoryStamp stamp;
};

// One name of a listing; the name is the listing's own, valid while it lives.
struct DirectoryEntry {
    enum class Kind { File, Directory };
    std::string_view name;
    Kind kind = Kind::File;
    std::int64_t size = 0; // files only
};

// Why a file could not be looked up or opened. `errorCode` is the system's reason (an errno
// value), 0 when the name is there but is not a regular file. `missing` when nothing at all has
// the name (a link that leads nowhere is not missing: it is there and broken).
struct FileProblem {
    int errorCode = 0;
    bool missing = false;
};

struct LookedUpFile {
    std::optional<std::int64_t> size; // nothing when there is no regular file
    FileProblem problem;
};

// A regular file open for reading, or why it is not.
struct OpenedFile {
    FileDescriptor descriptor;
    FileIdentity identity;
    // The length the file had when it was opened: a first read that would not wait may stop
    // short of the end, and only reaching this length tells it did not. -1 when not known.
    std::int64_t sizeWhenOpened = -1;
    // Its modification and change times then, in nanoseconds since the epoch.
    std::int64_t modifiedWhenOpened = 0;
    std::int64_t changedWhenOpened = 0;
    bool readStarted = false;
    FileProblem problem;
    // Set when the file was opened and is read on another thread; the descriptor is then its.
    std::shared_ptr<AheadStream> ahead;

    bool isOpen() const { return descriptor.isOpen() || ahead != nullptr; }
    // Two names of one file (same device and inode).
    bool sameFileAs(const OpenedFile& other) const {
        return isOpen() && other.isOpen() && identity == other.identity;
    }
};

struct BlockRead {
    std::int64_t count = 0; // -1 when the read failed
    int errorCode = 0;      // the system's reason when it failed
};

struct DirectoryListing {
    std::optional<ListedEntries> entries; // nothing when it cannot be read
    int errorCode = 0;                    // the system's reason then
};

// The file system as the engine sees it. Real runs use the POSIX implementation; tests put
// faults in through their own.
class FileAccess {
public:
    virtual ~FileAccess() = default;

    // The size of a regular file (links followed).
    virtual LookedUpFile lookUpFile(const std::string& path) = 0;

    // Opens a regular file read-only; never anything else (a device must never be opened).
    // `listed` is the file's entry when the caller has just listed it, which then was its look.
    virtual OpenedFile openFile(const std::string& path, const DirectoryEntry* listed) = 0;
    // Whether the file's size or times moved since it was opened, or cannot be looked at: what
    // was read of it then vouches for no moment of the file. Asked once a file was read whole.
    virtual bool changedSinceOpened(OpenedFile& file) = 0;
    // Reads until `size` bytes or the end of the file.
    virtual BlockRead readBlock(OpenedFile& file, char* buffer, std::int64_t size) = 0;
    // The same, where the bytes may be left where they were read to: the answer points at them,
    // in `buffer` or elsewhere, valid until the file's next read or its end.
    virtual const char* readBlockAt(OpenedFile& file, char* buffer, std::int64_t size,
                                    BlockRead& read) {
        read = readBlock(file, buffer, size);
        return buffer;
    }

    // A hint that the file will soon be opened and read, so the system can fetch it meanwhile;
    // `listed` when the caller has just listed it. Doing nothing is always correct.
    virtual void willRead(const std::string& directory, std::string_view name, bool listed) {
        (void)directory;
        (void)name;
        (void)listed;
    }
    // Whether the files named in `willRead` are opened and fetched from the disk ahead, as they
    // are once their data is found not to be in memory.
    virtual bool fetchesAhead() const { return false; }
    // A file that will soon be read to its end, on another thread where that pays.
    virtual void willReadWhole(const std::string& path) { (void)path; }
    // The same file system for another thread's own use, when it can be used from one; its
    // calls are then that thread's alone.
    virtual std::unique_ptr<FileAccess> forAnotherThread() const { return nullptr; }
    // Drops whatever was kept of the file system between calls; each run starts afresh.
    virtual void forgetCaches() {}
    // The run stops: no file is read ahead from now on.
    virtual void stopReadingAhead() {}

    // The files and subdirectories of a directory, sorted by name.
    virtual DirectoryListing listDirectory(const std::string& path) = 0;
    // The same in no order and without sizes: cheaper, where only the names are wanted.
    virtual DirectoryListing listNames(const std::string& path) { return listDirectory(path); }
    // Nothing when the path is no directory or cannot be looked at.
    virtual std::optional<DirectoryLook> lookAtDirectory(const std::string& path) = 0;
};

} // namespace quorvel
