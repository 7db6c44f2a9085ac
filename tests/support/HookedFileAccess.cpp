#include "support/HookedFileAccess.h"

#include <cerrno>
#include <filesystem>
#include <sys/stat.h>

namespace quorvel::test {

int openDescriptorCount() {
    int count = 0;
    for ([[maybe_unused]] const auto& entry :
         std::filesystem::directory_iterator("/proc/self/fd")) {
        ++count;
    }
    return count;
}

LookedUpFile HookedFileAccess::lookUpFile(const std::string& path) {
    ++counts.lookUps;
    return PosixFileAccess::lookUpFile(path);
}

OpenedFile HookedFileAccess::openFile(const std::string& path, const DirectoryEntry* listed) {
    ++counts.opens;
    auto opened = PosixFileAccess::openFile(path, listed);
    if (!opened.isOpen()) {
        ++counts.failedOpens;
        return opened;
    }
    struct stat st {};
    if (::fstat(opened.descriptor.get(), &st) != 0 || !S_ISREG(st.st_mode)) {
        openedOtherThanFiles.push_back(path);
    }
    if (keepPaths || onRead) {
        open_[opened.descriptor.get()] = {path, 0};
    }
    return opened;
}

BlockRead HookedFileAccess::readBlock(OpenedFile& file, char* buffer, std::int64_t size) {
    ++counts.reads;
    auto read = PosixFileAccess::readBlock(file, buffer, size);
    if (onRead) {
        auto& opened = open_[file.descriptor.get()];
        const auto n = onRead(opened.path, ++opened.reads, read.count);
        if (n != read.count) {
            read = {n, n < 0 ? EIO : 0};
        }
    }
    counts.bytesRead += read.count > 0 ? read.count : 0;
    return read;
}

void HookedFileAccess::willRead(const std::string& directory, std::string_view name, bool listed) {
    ++counts.willReads;
    PosixFileAccess::willRead(directory, name, listed);
}

DirectoryListing HookedFileAccess::listDirectory(const std::string& path) {
    ++counts.listings;
    const auto failing = failingListings.find(path);
    auto listing = unreadableDirectories.count(path) != 0 ? DirectoryListing{std::nullopt, EACCES}
                   : failing != failingListings.end()
                       ? DirectoryListing{std::nullopt, failing->second}
                       : PosixFileAccess::listDirectory(path);
    if (keepPaths) {
        listedPaths.push_back(path);
    }
    if (afterListing) {
        afterListing(path, ++listingsOf_[path]);
    }
    return listing;
}

std::optional<DirectoryLook> HookedFileAccess::lookAtDirectory(const std::string& path) {
    ++counts.identities;
    auto look = PosixFileAccess::lookAtDirectory(path);
    if (look && onDirectoryLook) {
        onDirectoryLook(path, *look);
    }
    return look;
}

int HookedFileAccess::descriptorsLeftOpen() {
    forgetCaches();
    return openDescriptorCount() - descriptorsAtStart_;
}

} // namespace quorvel::test
