#include "engine/PosixFileAccess.h"

#include "engine/LongPath.h"
#include "engine/PathText.h"
#include "engine/SortedListing.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quorvel {

namespace {

// Up to 256 files ahead, but never more than a quarter of the descriptors the process may have.
std::size_t readAheadCapacity() {
    rlimit limit{};
    std::size_t capacity = 256;
    if (::getrlimit(RLIMIT_NOFILE, &limit) == 0 && limit.rlim_cur != RLIM_INFINITY) {
        capacity = std::min<std::size_t>(capacity, static_cast<std::size_t>(limit.rlim_cur / 4));
    }
    return capacity;
}

FileIdentity identityOf(const struct stat& st) {
    return {static_cast<std::uint64_t>(st.st_dev), static_cast<std::uint64_t>(st.st_ino)};
}

// Why the name at `where` could not be looked at or opened, `error` being what the call said: a
// name that is not there at all is missing, a link that leads nowhere is not.
FileProblem problemOf(const OpenDirectories::Location& where, int error) {
    if (where.directoryError == ENOENT || where.directoryError == ENOTDIR) {
        // No directory, so no such name (the whole path may be too long to say so itself).
        return {where.directoryError, true};
    }
    FileProblem problem{error, false};
    if (error == ENOENT || error == ENOTDIR) {
        struct stat link {};
        problem.missing =
            ::fstatat(where.directory, where.name.c_str(), &link, AT_SYMLINK_NOFOLLOW) != 0;
    }
    return problem;
}

} // namespace

PosixFileAccess::PosixFileAccess(ReadAheadMode mode)
    : readAhead_(readAheadCapacity()), switch_(mode) {}

void PosixFileAccess::forgetCaches() {
    readAhead_.clear();
    switch_.reset();
    directories_.forget();
}

LookedUpFile PosixFileAccess::lookUpFile(const std::string& path) {
    const auto where = directories_.locate(path);
    struct stat st {};
    if (::fstatat(where.directory, where.name.c_str(), &st, 0) != 0) {
        return {std::nullopt, problemOf(where, errno)};
    }
    if (!S_ISREG(st.st_mode)) {
        return {};
    }
    return {static_cast<std::int64_t>(st.st_size), {}};
}

OpenedFile PosixFileAccess::openChecked(const std::string& path) {
    const auto where = directories_.locate(path);
    OpenedFile opened;
    // Look before opening: opening a device can have effects of its own, and a FIFO would block.
    // A name a fresh listing found regular needs no look of its own.
    const auto found = directories_.kindOf(where);
    struct stat st {};
    if (found.kind == DirectoryKinds::Kind::Other) {
        return opened;
    }
    if (found.kind == DirectoryKinds::Kind::Unknown) {
        if (::fstatat(where.directory, where.name.c_str(), &st, 0) != 0) {
            opened.problem = problemOf(where, errno);
            return opened;
        }
        if (!S_ISREG(st.st_mode)) {
            return opened;
        }
    }
    int fd;
    do {
        fd = ::openat(where.directory, where.name.c_str(),
                      O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0) {
        opened.problem = problemOf(where, errno);
        return opened;
    }
    opened.descriptor = FileDescriptor(fd);
    // The name may have been given to something else since it was looked at or listed; a look at
    // the open file costs far less than the open itself.
    if (::fstat(fd, &st) != 0) {
        opened.problem = {errno, false};
        opened.descriptor.reset();
        return opened;
    }
    if (!S_ISREG(st.st_mode)) {
        opened.descriptor.reset();
        return opened;
    }
    opened.identity = identityOf(st);
    return opened;
}

OpenedFile PosixFileAccess::openFile(const std::string& path, const DirectoryEntry* listed) {
    auto ahead = readAhead_.take(path);
    OpenedFile opened = ahead ? std::move(ahead->file) : openChecked(path);
    if (!opened.isOpen() && opened.problem.errorCode == EMFILE) {
        // Files held for reading ahead must never cost a file its comparison.
        readAhead_.clear();
        opened = openChecked(path);
    }
    opened.listedSize = listed != nullptr ? listed->size : -1;
    return opened;
}

void PosixFileAccess::willRead(const std::string& directory, const std::string& name) {
    if (!switch_.on() || readAhead_.capacity() == 0) {
        return;
    }
    const auto path = joinPath(directory, name);
    auto opened = openChecked(path);
    if (!opened.isOpen()) {
        return;
    }
    ::posix_fadvise(opened.descriptor.get(), 0, kReadAheadLimit, POSIX_FADV_WILLNEED);
    readAhead_.push({path, std::move(opened)});
}

BlockRead PosixFileAccess::readBlock(OpenedFile& file, char* buffer, std::int64_t size) {
    const int fd = file.descriptor.get();
    std::int64_t total = 0;
    while (total < size) {
        const auto want = size - total;
        // Only a listed file is asked without waiting: its listed length tells a short answer
        // (part of it cached) from its end.
        const bool asking = !file.readStarted && file.listedSize >= 0;
        file.readStarted = true;
        const auto n = asking ? switch_.firstRead(fd, buffer + total, want)
                              : ::read(fd, buffer + total, static_cast<std::size_t>(want));
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return {-1, errno};
        }
        total += n;
        // Otherwise a regular file gives less than asked only at its end, so no read is spent
        // only to learn that.
        if (n < want && (!asking || total >= file.listedSize)) {
            break;
        }
    }
    return {total, 0};
}

DirectoryListing PosixFileAccess::listDirectory(const std::string& path) {
    return readSortedListing(path);
}

std::optional<FileIdentity> PosixFileAccess::directoryIdentity(const std::string& path) {
    struct stat st {};
    if (path.size() < PATH_MAX) {
        if (::stat(path.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) {
            return std::nullopt;
        }
        return identityOf(st);
    }
    const FileDescriptor fd(openDirectory(path, O_PATH));
    if (!fd.isOpen() || ::fstat(fd.get(), &st) != 0) {
        return std::nullopt;
    }
    return identityOf(st);
}

} // namespace quorvel
