#include "engine/SortedListing.h"

#include "engine/DirectoryStream.h"
#include "engine/LongPath.h"
#include "engine/NameOrder.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

namespace quorvel {

namespace {

std::optional<DirectoryEntry> classify(int dirFd, const char* name, unsigned char type) {
    DirectoryEntry entry;
    entry.name = name;
    // The listing's own type saves a look at every subdirectory and at every name that cannot
    // be a file.
    if (type == DT_DIR) {
        entry.kind = DirectoryEntry::Kind::Directory;
        return entry;
    }
    if (type != DT_REG && type != DT_LNK && type != DT_UNKNOWN) {
        return std::nullopt;
    }
    struct stat st {};
    if (::fstatat(dirFd, name, &st, 0) != 0) {
        if (errno != ENOENT || type == DT_LNK) {
            return entry;
        }
        struct stat link {};
        const bool dangling =
            ::fstatat(dirFd, name, &link, AT_SYMLINK_NOFOLLOW) == 0 && S_ISLNK(link.st_mode);
        return dangling ? std::optional<DirectoryEntry>(entry) : std::nullopt; // else vanished
    }
    if (S_ISDIR(st.st_mode)) {
        entry.kind = DirectoryEntry::Kind::Directory;
        return entry;
    }
    if (!S_ISREG(st.st_mode)) {
        return std::nullopt;
    }
    entry.size = static_cast<std::int64_t>(st.st_size);
    return entry;
}

} // namespace

DirectoryListing readSortedListing(const std::string& path) {
    DirectoryStream stream(openDirectory(path, O_RDONLY));
    if (stream.get() == nullptr) {
        return {std::nullopt, errno};
    }
    const int dirFd = ::dirfd(stream.get());
    std::vector<DirectoryEntry> entries;
    errno = 0;
    while (const dirent* d = ::readdir(stream.get())) {
        if (std::strcmp(d->d_name, ".") != 0 && std::strcmp(d->d_name, "..") != 0) {
            if (auto entry = classify(dirFd, d->d_name, d->d_type)) {
                entries.push_back(std::move(*entry));
            }
        }
        errno = 0;
    }
    if (errno != 0) {
        return {std::nullopt, errno};
    }
    std::sort(entries.begin(), entries.end(), [](const DirectoryEntry& a, const DirectoryEntry& b) {
        return nameLess(a.name, b.name);
    });
    return {std::move(entries), 0};
}

} // namespace quorvel
