#pragma once

#include "engine/DirectoryKinds.h"
#include "engine/FileAccess.h"
#include "engine/ReadAheadQueue.h"

#include <array>
#include <string>
#include <vector>

namespace quorvel {

class PosixFileAccess : public FileAccess {
public:
    enum class ReadAheadMode { WhenNotCached, Always };
    explicit PosixFileAccess(ReadAheadMode mode = ReadAheadMode::WhenNotCached);
    ~PosixFileAccess() override;
    PosixFileAccess(const PosixFileAccess&) = delete;
    PosixFileAccess& operator=(const PosixFileAccess&) = delete;

    std::optional<std::int64_t> lookUpFile(const std::string& path) override;
    int openFile(const std::string& path, const DirectoryEntry* listed) override;
    std::int64_t readBlock(int handle, char* buffer, std::int64_t size) override;
    bool sameFile(int first, int second) override;
    void closeFile(int handle) override;
    void willRead(const std::string& directory, const std::string& name) override;
    void forgetCaches() override;
    std::optional<std::vector<DirectoryEntry>> listDirectory(const std::string& path) override;
    std::optional<FileIdentity> directoryIdentity(const std::string& path) override;

private:
    // A directory kept open, so that the kernel walks a path once per directory instead of once
    // per file. The two sides of a run alternate, so two are kept.
    struct CachedDirectory {
        std::string path;
        int fd = -1;
        // Once several names of a directory had to be looked at, one listing tells the kind of
        // every name at once.
        int looks = 0;
        bool listed = false;
        DirectoryKinds kinds;
    };
    struct Location {
        int directory; // AT_FDCWD with the whole path when the directory cannot be opened
        std::string name;
        CachedDirectory* cached;
    };
    Location locate(const std::string& path);
    DirectoryKinds::Found kindFromListing(CachedDirectory& directory, const std::string& name);
    void forgetDirectories();

    AheadFile openChecked(const std::string& path);

    // What is known of an open file. A name found in a directory's listing is opened without a
    // look of its own, so only its inode number is known until a question needs the device.
    struct OpenState {
        FileIdentity identity;
        bool identityCertain = false;
        bool started = false;
        std::int64_t listedSize = -1;
    };
    OpenState& stateOf(int handle);

    // Reading ahead only pays when the data is not cached yet; the first read of each file asks
    // without waiting, and two files in a row that are not in memory turn reading ahead on. (One
    // alone proves little: the kernel also declines when a cached page is marked to read ahead.)
    std::int64_t firstRead(int handle, char* buffer, std::int64_t size);
    void forgetReadAhead();

    static constexpr long kReadAheadLimit = 8L << 20;

    std::array<CachedDirectory, 2> directories_;
    std::size_t nextSlot_ = 0;
    std::vector<OpenState> open_;
    ReadAheadQueue readAhead_;
    ReadAheadMode mode_;
    bool readAheadOn_ = false;
    bool canAskWithoutWaiting_ = true;
    int missesInARow_ = 0;
};

} // namespace quorvel
