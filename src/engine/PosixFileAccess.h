#pragma once

#include "FileAccess.h"
#include "ReadAheadQueue.h"

#include <array>
#include <string>
#include <string_view>
#include <sys/stat.h>
#include <utility>
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
    int openFile(const std::string& path, FileIdentity& identity,
                 const DirectoryEntry* listed) override;
    std::int64_t readBlock(int handle, char* buffer, std::int64_t size) override;
    void closeFile(int handle) override;
    void willRead(const std::string& path, const DirectoryEntry* listed) override;
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
        std::vector<std::pair<std::string, unsigned char>> kinds;
    };
    struct Location {
        int directory; // AT_FDCWD with the whole path when the directory cannot be opened
        std::string name;
        CachedDirectory* cached;
    };
    Location locate(const std::string& path);
    enum class Kind { Regular, Other, Unknown };
    Kind kindFromListing(CachedDirectory& directory, const std::string& name);
    void forgetDirectories();

    // Opens a regular file; its identity and length from the listing, or from the open file.
    struct Opened {
        int fd = -1;
        FileIdentity identity;
        std::int64_t size = 0;
    };
    Opened openChecked(const std::string& path, const DirectoryEntry* listed);

    // How far an open file has been read, and how long it was when opened: a short read that
    // reaches that length is the end, which saves asking once more only to be told so.
    struct OpenState {
        std::int64_t size = 0;
        std::int64_t offset = 0;
    };
    OpenState& stateOf(int handle);

    // Reading ahead only pays when the data is not cached yet; the first read of each file asks
    // without waiting, and two files in a row that are not in memory turn reading ahead on. (One
    // alone proves little: the kernel also declines when a cached page is marked to read ahead.)
    std::int64_t firstRead(int handle, char* buffer, std::int64_t size);
    void forgetReadAhead();

    static constexpr std::int64_t kReadAheadLimit = std::int64_t{8} << 20;

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
