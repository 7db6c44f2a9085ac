#pragma once

#include "FileAccess.h"

#include <array>
#include <string>
#include <string_view>
#include <sys/stat.h>
#include <vector>

namespace quorvel {

class PosixFileAccess : public FileAccess {
public:
    PosixFileAccess() = default;
    ~PosixFileAccess() override;
    PosixFileAccess(const PosixFileAccess&) = delete;
    PosixFileAccess& operator=(const PosixFileAccess&) = delete;

    std::optional<std::int64_t> lookUpFile(const std::string& path) override;
    int openFile(const std::string& path, FileIdentity& identity) override;
    std::int64_t readBlock(int handle, char* buffer, std::int64_t size) override;
    void closeFile(int handle) override;
    void willRead(const std::string& path) override;
    void forgetReadAhead() override;
    std::optional<std::vector<DirectoryEntry>> listDirectory(const std::string& path) override;
    std::optional<FileIdentity> directoryIdentity(const std::string& path) override;

private:
    // A directory handle and the name within it, so that the kernel walks a path once per
    // directory instead of once per file. AT_FDCWD with the whole path when that fails.
    struct Location {
        int directory;
        std::string_view name;
    };
    Location locate(const std::string& path);

    int openChecked(const std::string& path, struct stat& st);

    // How far an open file has been read, and how long it was when opened: a short read that
    // reaches that length is the end, which saves asking once more only to be told so.
    struct OpenState {
        std::int64_t size = 0;
        std::int64_t offset = 0;
    };
    OpenState& stateOf(int handle);

    struct CachedDirectory {
        std::string path;
        int fd = -1;
    };
    // The two sides of a run alternate, so two slots keep both directories open.
    std::array<CachedDirectory, 2> directories_;

    // Files opened ahead of their turn, oldest first, while the disk fetches their data.
    struct ReadAhead {
        std::string path;
        int fd = -1;
        FileIdentity identity;
        std::int64_t size = 0;
    };
    static constexpr std::size_t kReadAheadFiles = 64;
    static constexpr std::int64_t kReadAheadLimit = std::int64_t{8} << 20;
    std::array<ReadAhead, kReadAheadFiles> readAhead_;
    std::size_t readAheadFirst_ = 0;
    std::size_t readAheadCount_ = 0;
    int takeReadAhead(const std::string& path, FileIdentity& identity);
    // Reading ahead only pays when the data is not cached yet; the first read of each file asks
    // without waiting, and two files in a row that are not in memory turn reading ahead on. (One
    // alone proves little: the kernel also declines when a cached page is marked to read ahead.)
    std::int64_t firstRead(int handle, char* buffer, std::int64_t size);
    bool readAheadOn_ = false;
    int missesInARow_ = 0;
    bool canAskWithoutWaiting_ = true;
    std::size_t nextSlot_ = 0;
    std::vector<OpenState> open_;
};

} // namespace quorvel
