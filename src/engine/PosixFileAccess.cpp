#include "engine/PosixFileAccess.h"

#include "engine/DirectoryStream.h"
#include "engine/LongPath.h"
#include "engine/NameOrder.h"
#include "engine/PathText.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/uio.h>
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

// Classifies one listed name. Links are followed; a link that leads nowhere (missing target or a
// loop) is shown as an empty file so that its pair reports the failure, and so is a name that
// cannot be looked at (a directory that may be listed but not entered). Anything that is neither
// a regular file nor a directory is left out: it must never be opened as a file.
std::optional<DirectoryEntry> classify(int dirFd, const char* name, unsigned char type) {
    DirectoryEntry entry;
    entry.name = name;
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

PosixFileAccess::PosixFileAccess(ReadAheadMode mode)
    : readAhead_(readAheadCapacity()), mode_(mode), readAheadOn_(mode == ReadAheadMode::Always) {}

PosixFileAccess::~PosixFileAccess() {
    forgetCaches();
}

void PosixFileAccess::forgetCaches() {
    forgetReadAhead();
    forgetDirectories();
}

void PosixFileAccess::forgetDirectories() {
    for (auto& cached : directories_) {
        if (cached.fd >= 0) {
            ::close(cached.fd);
        }
        cached = CachedDirectory{};
    }
}

PosixFileAccess::Location PosixFileAccess::locate(const std::string& path) {
    const auto slash = path.rfind('/');
    if (slash == std::string::npos || slash + 1 == path.size()) {
        return {AT_FDCWD, path, nullptr};
    }
    const std::string_view parent(path.data(), slash == 0 ? 1 : slash);
    std::string name = path.substr(slash + 1);
    for (auto& cached : directories_) {
        if (cached.fd >= 0 && cached.path == parent) {
            return {cached.fd, std::move(name), &cached};
        }
    }
    auto& slot = directories_[nextSlot_];
    nextSlot_ = (nextSlot_ + 1) % directories_.size();
    if (slot.fd >= 0) {
        ::close(slot.fd);
    }
    slot = CachedDirectory{};
    slot.path = parent;
    slot.fd = openDirectory(slot.path, O_PATH);
    if (slot.fd < 0) {
        return {AT_FDCWD, path, nullptr};
    }
    return {slot.fd, std::move(name), &slot};
}

DirectoryKinds::Found PosixFileAccess::kindFromListing(CachedDirectory& directory,
                                                       const std::string& name) {
    if (!directory.listed) {
        if (++directory.looks < 8) {
            return {};
        }
        directory.listed = true;
        directory.kinds = DirectoryKinds::list(directory.fd);
    }
    return directory.kinds.find(name);
}

PosixFileAccess::OpenState& PosixFileAccess::stateOf(int handle) {
    const auto index = static_cast<std::size_t>(handle);
    if (index >= open_.size()) {
        open_.resize(index + 16);
    }
    return open_[index];
}

std::optional<std::int64_t> PosixFileAccess::lookUpFile(const std::string& path) {
    const auto where = locate(path);
    struct stat st {};
    if (::fstatat(where.directory, where.name.c_str(), &st, 0) != 0 || !S_ISREG(st.st_mode)) {
        return std::nullopt;
    }
    return static_cast<std::int64_t>(st.st_size);
}

AheadFile PosixFileAccess::openChecked(const std::string& path) {
    auto where = locate(path);
    // Look before opening: opening a device can have effects of its own, and a FIFO would block.
    // A file listed long ago is looked at again too: it may have become anything since.
    const auto found = where.cached != nullptr ? kindFromListing(*where.cached, where.name)
                                               : DirectoryKinds::Found{};
    struct stat st {};
    if (found.kind == DirectoryKinds::Kind::Other ||
        (found.kind == DirectoryKinds::Kind::Unknown &&
         (::fstatat(where.directory, where.name.c_str(), &st, 0) != 0 || !S_ISREG(st.st_mode)))) {
        return {};
    }
    AheadFile opened{path, -1, {}, false};
    do {
        opened.fd = ::openat(where.directory, where.name.c_str(),
                             O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    } while (opened.fd < 0 && errno == EINTR);
    if (opened.fd < 0) {
        return {};
    }
    // The name may have been given to something else since it was looked at or listed; a look at
    // the open file costs far less than the open itself.
    if (::fstat(opened.fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(opened.fd);
        return {};
    }
    opened.identity = identityOf(st);
    opened.identityCertain = true;
    return opened;
}

int PosixFileAccess::openFile(const std::string& path, const DirectoryEntry* listed) {
    auto opened = readAhead_.take(path).value_or(AheadFile{});
    if (opened.fd < 0) {
        opened = openChecked(path);
    }
    if (opened.fd < 0 && errno == EMFILE) {
        // Files held for reading ahead must never cost a file its comparison.
        readAhead_.clear();
        opened = openChecked(path);
    }
    if (opened.fd >= 0) {
        stateOf(opened.fd) = {opened.identity, opened.identityCertain, false,
                              listed != nullptr ? listed->size : -1};
    }
    return opened.fd;
}

bool PosixFileAccess::sameFile(int first, int second) {
    auto& a = stateOf(first);
    auto& b = stateOf(second);
    if (a.identity.inode != b.identity.inode) {
        return false;
    }
    for (auto* state : {&a, &b}) {
        if (!state->identityCertain) {
            struct stat st {};
            if (::fstat(state == &a ? first : second, &st) != 0) {
                return false;
            }
            state->identity = identityOf(st);
            state->identityCertain = true;
        }
    }
    return a.identity == b.identity;
}

void PosixFileAccess::willRead(const std::string& directory, const std::string& name) {
    if (!readAheadOn_ || readAhead_.capacity() == 0) {
        return;
    }
    auto opened = openChecked(joinPath(directory, name));
    if (opened.fd < 0) {
        return;
    }
    // The start of the file: big files are read ahead by the kernel's own window in their turn.
    ::posix_fadvise(opened.fd, 0, kReadAheadLimit, POSIX_FADV_WILLNEED);
    readAhead_.push(std::move(opened));
}

void PosixFileAccess::forgetReadAhead() {
    readAhead_.clear();
    readAheadOn_ = mode_ == ReadAheadMode::Always || !canAskWithoutWaiting_;
    missesInARow_ = 0;
}

std::int64_t PosixFileAccess::firstRead(int handle, char* buffer, std::int64_t size) {
    if (canAskWithoutWaiting_) {
        iovec part{buffer, static_cast<std::size_t>(size)};
        const auto n = ::preadv2(handle, &part, 1, -1, RWF_NOWAIT);
        if (n >= 0 || (errno != EAGAIN && errno != EOPNOTSUPP && errno != EINVAL)) {
            missesInARow_ = 0;
            return n;
        }
        if (errno == EAGAIN) {
            readAheadOn_ = readAheadOn_ || ++missesInARow_ >= 2;
        } else {
            // Without the question there is no telling; reading ahead never hurts much.
            canAskWithoutWaiting_ = false;
            readAheadOn_ = true;
        }
    }
    return ::read(handle, buffer, static_cast<std::size_t>(size));
}

std::int64_t PosixFileAccess::readBlock(int handle, char* buffer, std::int64_t size) {
    auto& state = stateOf(handle);
    std::int64_t total = 0;
    while (total < size) {
        const auto want = size - total;
        // Only a listed file is asked without waiting: its listed length tells a short answer
        // (part of it cached) from its end.
        const bool asking = !state.started && state.listedSize >= 0;
        state.started = true;
        const auto n = asking ? firstRead(handle, buffer + total, want)
                              : ::read(handle, buffer + total, static_cast<std::size_t>(want));
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return -1;
        }
        total += n;
        // Otherwise a regular file gives less than asked only at its end, so no read is spent
        // only to learn that.
        if (n < want && (!asking || total >= state.listedSize)) {
            break;
        }
    }
    return total;
}

void PosixFileAccess::closeFile(int handle) {
    ::close(handle);
}

std::optional<std::vector<DirectoryEntry>> PosixFileAccess::listDirectory(const std::string& path) {
    DirectoryStream stream(openDirectory(path, O_RDONLY));
    if (stream.get() == nullptr) {
        return std::nullopt;
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
        return std::nullopt;
    }
    std::sort(entries.begin(), entries.end(), [](const DirectoryEntry& a, const DirectoryEntry& b) {
        return nameLess(a.name, b.name);
    });
    return entries;
}

std::optional<FileIdentity> PosixFileAccess::directoryIdentity(const std::string& path) {
    struct stat st {};
    if (path.size() < PATH_MAX) {
        if (::stat(path.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) {
            return std::nullopt;
        }
        return identityOf(st);
    }
    const int fd = openDirectory(path, O_PATH);
    if (fd < 0) {
        return std::nullopt;
    }
    const bool known = ::fstat(fd, &st) == 0;
    ::close(fd);
    if (!known) {
        return std::nullopt;
    }
    return identityOf(st);
}

} // namespace quorvel
