#include "support/HookedFileAccess.h"

#include <sys/stat.h>

namespace quorvel::test {

std::optional<std::int64_t> HookedFileAccess::lookUpFile(const std::string& path) {
    ++counts.lookUps;
    return PosixFileAccess::lookUpFile(path);
}

int HookedFileAccess::openFile(const std::string& path, const DirectoryEntry* listed) {
    ++counts.opens;
    const int handle = PosixFileAccess::openFile(path, listed);
    if (handle < 0) {
        ++counts.failedOpens;
        return handle;
    }
    struct stat st {};
    if (::fstat(handle, &st) != 0 || !S_ISREG(st.st_mode)) {
        openedOtherThanFiles.push_back(path);
    }
    if (keepPaths || onRead) {
        open_[handle] = {path, 0};
    }
    return handle;
}

std::int64_t HookedFileAccess::readBlock(int handle, char* buffer, std::int64_t size) {
    ++counts.reads;
    auto n = PosixFileAccess::readBlock(handle, buffer, size);
    if (onRead) {
        auto& opened = open_[handle];
        n = onRead(opened.path, ++opened.reads, n);
    }
    counts.bytesRead += n > 0 ? n : 0;
    return n;
}

bool HookedFileAccess::sameFile(int first, int second) {
    ++counts.sameFiles;
    return PosixFileAccess::sameFile(first, second);
}

void HookedFileAccess::closeFile(int handle) {
    ++counts.closes;
    open_.erase(handle);
    PosixFileAccess::closeFile(handle);
}

void HookedFileAccess::willRead(const std::string& directory, const std::string& name) {
    ++counts.willReads;
    PosixFileAccess::willRead(directory, name);
}

std::optional<std::vector<DirectoryEntry>>
HookedFileAccess::listDirectory(const std::string& path) {
    ++counts.listings;
    auto listing = unreadableDirectories.count(path) != 0 ? std::nullopt
                                                          : PosixFileAccess::listDirectory(path);
    if (keepPaths) {
        listedPaths.push_back(path);
    }
    if (afterListing) {
        afterListing(path, ++listingsOf_[path]);
    }
    return listing;
}

std::optional<FileIdentity> HookedFileAccess::directoryIdentity(const std::string& path) {
    ++counts.identities;
    return PosixFileAccess::directoryIdentity(path);
}

} // namespace quorvel::test
