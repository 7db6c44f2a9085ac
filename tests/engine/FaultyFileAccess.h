#pragma once

#include "engine/PosixFileAccess.h"

#include <functional>
#include <map>
#include <set>
#include <string>

namespace quorvel::test {

// Real files, with reads that can be made to fail or to return other data.
class FaultyFileAccess : public PosixFileAccess {
public:
    using PosixFileAccess::PosixFileAccess;

    // Called with the path the handle was opened for and the count of reads on it so far.
    std::function<std::int64_t(const std::string&, int, std::int64_t)> onRead;
    int opened = 0;
    int closed = 0;
    std::set<std::string> unreadableDirectories;

    int openFile(const std::string& path, const DirectoryEntry* listed) override {
        const int handle = PosixFileAccess::openFile(path, listed);
        if (handle >= 0) {
            ++opened;
            paths_[handle] = path;
            reads_[handle] = 0;
        }
        return handle;
    }
    std::int64_t readBlock(int handle, char* buffer, std::int64_t size) override {
        const auto n = PosixFileAccess::readBlock(handle, buffer, size);
        return onRead ? onRead(paths_[handle], ++reads_[handle], n) : n;
    }
    void closeFile(int handle) override {
        ++closed;
        PosixFileAccess::closeFile(handle);
    }
    std::optional<std::vector<DirectoryEntry>> listDirectory(const std::string& path) override {
        if (unreadableDirectories.count(path) != 0) {
            return std::nullopt;
        }
        return PosixFileAccess::listDirectory(path);
    }

private:
    std::map<int, std::string> paths_;
    std::map<int, int> reads_;
};

} // namespace quorvel::test
