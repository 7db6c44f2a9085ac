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

std::int64_t nanoseconds(const timespec& t) {
    return static_cast<std::int64_t>(t.tv_sec) * 1000000000 + t.tv_nsec;
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

OpenedFile PosixFileAccess::openChecked(const std::string& path, bool listedRegular) {
    const auto where = directories_.locate(path);
    OpenedFile opened;
    const auto openName = [&where](int flags) {
        int fd;
        do {
            fd = ::openat(where.directory, where.name.c_str(),
                          flags | O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
        } while (fd < 0 && errno == EINTR);
        return fd;
    };
    int fd = -1;
    // Look before opening: opening a device can have effects of its own, and a FIFO would block.
    // A name a fresh listing found regular needs no look of its own; opened without following a
    // link, it cannot have become a way to a device since, short of a device node made in its
    // place. A link found there instead is looked at as any other name.
    if (listedRegular || directories_.listedRegular(where)) {
        fd = openName(O_NOFOLLOW);
        if (fd < 0 && errno != ELOOP) {
            opened.problem = problemOf(where, errno);
            return opened;
        }
    }
    struct stat st {};
    if (fd < 0) {
        if (::fstatat(where.directory, where.name.c_str(), &st, 0) != 0) {
            opened.problem = problemOf(where, errno);
            return opened;
        }
        if (!S_ISREG(st.st_mode)) {
            return opened;
        }
        fd = openName(0);
        if (fd < 0) {
            opened.problem = problemOf(where, errno);
            return opened;
        }
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
    opened.sizeWhenOpened = static_cast<std::int64_t>(st.st_size);
    return opened;
}

OpenedFile PosixFileAccess::openFile(const std::string& path, const DirectoryEntry* listed) {
    auto ahead = readAhead_.take(path);
    OpenedFile opened = ahead ? std::move(ahead->file) : openChecked(path, listed != nullptr);
    if (!opened.isOpen() && opened.problem.errorCode == EMFILE) {
        // Files held for reading ahead must never cost a file its comparison.
        readAhead_.clear();
        opened = openChecked(path, listed != nullptr);
    }
    return opened;
}

void PosixFileAccess::willRead(const std::string& directory, std::string_view name, bool listed) {
    if (!switch_.on() || readAhead_.capacity() == 0) {
        return;
    }
    const auto path = joinPath(directory, name);
    auto opened = openChecked(path, listed);
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
        // The first read asks without waiting, to learn whether the data is in memory.
        const bool asking = !file.readStarted && file.sizeWhenOpened >= 0;
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
        // A regular file gives less than asked only at its end, so no read is spent only to learn
        // that. A read that would not wait gives less whenever the rest is not in memory: only the
        // length the open file had tells its end then, never what a listing said before.
        if (n < want && (!asking || total >= file.sizeWhenOpened)) {
            break;
        }
    }
    return {total, 0};
}

DirectoryListing PosixFileAccess::listDirectory(const std::string& path) {
    return readSortedListing(path);
}

DirectoryListing PosixFileAccess::listNames(const std::string& path) {
    return readNames(path);
}

std::optional<DirectoryLook> PosixFileAccess::lookAtDirectory(const std::string& path) {
    struct stat st {};
    if (path.size() < PATH_MAX) {
        if (::stat(path.c_str(), &st) != 0) {
            return std::nullopt;
        }
    } else {
        const FileDescriptor fd = openDirectory(path, O_PATH);
        if (!fd.isOpen() || ::fstat(fd.get(), &st) != 0) {
            return std::nullopt;
        }
    }
    if (!S_ISDIR(st.st_mode)) {
        return std::nullopt;
    }
    return DirectoryLook{identityOf(st), {nanoseconds(st.st_mtim), nanoseconds(st.st_ctim)}};
}

} // namespace quorvel
