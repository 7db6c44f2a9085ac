#include "engine/SortedListing.h"

#include "engine/DirectoryStream.h"
#include "engine/LongPath.h"

#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

namespace quorvel {

namespace {

// Adds a name to the listing as what it is, or leaves it out; a regular file without its size
// when `sizes` is false, so that only links and names of an unknown type are looked at.
void classify(int dirFd, const char* name, unsigned char type, bool sizes, ListedEntries& entries) {
    // The listing's own type saves a look at every subdirectory and at every name that cannot
    // be a file.
    if (type == DT_DIR) {
        entries.addDirectory(name);
        return;
    }
    if (type != DT_REG && type != DT_LNK && type != DT_UNKNOWN) {
        return;
    }
    if (type == DT_REG && !sizes) {
        entries.addFile(name, 0);
        return;
    }
    struct stat st {};
    if (::fstatat(dirFd, name, &st, 0) != 0) {
        if (errno != ENOENT || type == DT_LNK) {
            entries.addFile(name, 0);
            return;
        }
        struct stat link {};
        if (::fstatat(dirFd, name, &link, AT_SYMLINK_NOFOLLOW) == 0 && S_ISLNK(link.st_mode)) {
            entries.addFile(name, 0); // dangling; else it vanished
        }
        return;
    }
    if (S_ISDIR(st.st_mode)) {
        entries.addDirectory(name);
    } else if (S_ISREG(st.st_mode)) {
        entries.addFile(name, static_cast<std::int64_t>(st.st_size));
    }
}

DirectoryListing readListing(const std::string& path, bool sizes) {
    DirectoryStream stream(openDirectory(path, O_RDONLY));
    if (stream.get() == nullptr) {
        return {std::nullopt, errno};
    }
    const int dirFd = ::dirfd(stream.get());
    ListedEntries entries;
    errno = 0;
    while (const dirent* d = ::readdir(stream.get())) {
        if (std::strcmp(d->d_name, ".") != 0 && std::strcmp(d->d_name, "..") != 0) {
            classify(dirFd, d->d_name, d->d_type, sizes, entries);
        }
        errno = 0;
    }
    if (errno != 0) {
        return {std::nullopt, errno};
    }
    return {std::move(entries), 0};
}

} // namespace

DirectoryListing readSortedListing(const std::string& path) {
    auto listing = readListing(path, true);
    if (listing.entries) {
        listing.entries->sortByName();
    }
    return listing;
}

DirectoryListing readNames(const std::string& path) {
    return readListing(path, false);
}

} // namespace quorvel
