#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace quorvel {

struct FileIdentity {
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    bool operator==(const FileIdentity&) const = default;
};

struct DirectoryEntry {
    enum class Kind { File, Directory };
    std::string name;
    Kind kind = Kind::File;
    std::int64_t size = 0; // files only
};

// The file system as the engine sees it. Real runs use the POSIX implementation; tests put
// faults in through their own.
class FileAccess {
public:
    virtual ~FileAccess() = default;

    // The size of a regular file (links followed), or nothing when there is none.
    virtual std::optional<std::int64_t> lookUpFile(const std::string& path) = 0;

    // Opens a regular file read-only; a handle of -1 on failure or when it is not a regular file
    // (a device must never be opened). `listed` is the file's entry when the caller has listed
    // it: its length helps tell a short read from the end.
    virtual int openFile(const std::string& path, const DirectoryEntry* listed) = 0;
    // Reads until `size` bytes or the end of the file: the count read, -1 on error.
    virtual std::int64_t readBlock(int handle, char* buffer, std::int64_t size) = 0;
    // Whether two open handles are the same file (same device and inode).
    virtual bool sameFile(int first, int second) = 0;
    virtual void closeFile(int handle) = 0;

    // A hint that the file will soon be opened and read, so the system can fetch it meanwhile.
    // Doing nothing is always correct.
    virtual void willRead(const std::string& directory, const std::string& name) {
        (void)directory;
        (void)name;
    }
    // Drops whatever was kept of the file system between calls; each run starts afresh.
    virtual void forgetCaches() {}

    // The files and subdirectories of a directory, sorted by name; nothing when it cannot be read.
    virtual std::optional<std::vector<DirectoryEntry>> listDirectory(const std::string& path) = 0;
    virtual std::optional<FileIdentity> directoryIdentity(const std::string& path) = 0;
};

} // namespace quorvel
