#pragma once

#include "FileAccess.h"

#include <array>
#include <string>
#include <string_view>
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
    std::size_t nextSlot_ = 0;
    std::vector<OpenState> open_;
};

} // namespace quorvel
