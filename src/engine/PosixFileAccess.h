#pragma once

#include "FileAccess.h"

namespace quorvel {

class PosixFileAccess : public FileAccess {
public:
    std::optional<std::int64_t> lookUpFile(const std::string& path) override;
    int openFile(const std::string& path, FileIdentity& identity) override;
    std::int64_t readBlock(int handle, char* buffer, std::int64_t size) override;
    void closeFile(int handle) override;
    std::optional<std::vector<DirectoryEntry>> listDirectory(const std::string& path) override;
    std::optional<FileIdentity> directoryIdentity(const std::string& path) override;
};

} // namespace quorvel
