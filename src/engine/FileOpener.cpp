#include "engine/FileOpener.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quorvel {

namespace {

std::int64_t nanoseconds(const timespec& t) {
    return static_cast<std::int64_t>(t.tv_sec) * 1000000000 + t.tv_nsec;
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

FileLook lookOf(const struct stat& st) {
    return {{static_cast<std::uint64_t>(st.st_dev), static_cast<std::uint64_t>(st.st_ino)},
            static_cast<std::int64_t>(st.st_size),
            nanoseconds(st.st_mtim),
            nanoseconds(st.st_ctim)};
}

LookedUpFile FileOpener::lookUp(const std::string& path) {
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

std::optional<FileLook> FileOpener::look(const std::string& path) {
    const auto where = directories_.locate(path);
    struct stat st {};
    if (::fstatat(where.directory, where.name.c_str(), &st, 0) != 0 || !S_ISREG(st.st_mode)) {
        return std::nullopt;
    }
    return lookOf(st);
}

OpenedFile FileOpener::open(const std::string& path, bool listedRegular, FileLook* opened) {
    const auto where = directories_.locate(path);
    OpenedFile file;
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
            file.problem = problemOf(where, errno);
            return file;
        }
    }
    struct stat st {};
    if (fd < 0) {
        if (::fstatat(where.directory, where.name.c_str(), &st, 0) != 0) {
            file.problem = problemOf(where, errno);
            return file;
        }
        if (!S_ISREG(st.st_mode)) {
            return file;
        }
        fd = openName(0);
        if (fd < 0) {
            file.problem = problemOf(where, errno);
            return file;
        }
    }
    file.descriptor = FileDescriptor(fd);
    // The name may have been given to something else since it was looked at or listed; a look at
    // the open file costs far less than the open itself.
    if (::fstat(fd, &st) != 0) {
        file.problem = {errno, false};
        file.descriptor.reset();
        return file;
    }
    if (!S_ISREG(st.st_mode)) {
        file.descriptor.reset();
        return file;
    }
    const auto found = lookOf(st);
    file.identity = found.identity;
    file.sizeWhenOpened = found.size;
    file.modifiedWhenOpened = found.modified;
    file.changedWhenOpened = found.changed;
    if (opened != nullptr) {
        *opened = found;
    }
    return file;
}

} // namespace quorvel
