#include "engine/PosixFileAccess.h"

#include "base/PathText.h"
#include "engine/AheadStream.h"
#include "engine/CompareBuffers.h"
#include "engine/LongPath.h"
#include "engine/SortedListing.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

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

} // namespace

PosixFileAccess::PosixFileAccess(ReadAheadMode mode)
    : PosixFileAccess(mode, std::make_shared<SharedListings>()) {}

PosixFileAccess::PosixFileAccess(ReadAheadMode mode, std::shared_ptr<SharedListings> listings)
    : listings_(std::move(listings)), opener_(listings_),
      aheadReader_(CompareBuffers::kBlockSize, listings_), readAhead_(readAheadCapacity()),
      switch_(mode) {}

void PosixFileAccess::forgetCaches() {
    stopReadingAhead();
    switch_.reset();
    opener_.forget();
}

void PosixFileAccess::stopReadingAhead() {
    aheadReader_.stop();
    readAhead_.clear();
}

LookedUpFile PosixFileAccess::lookUpFile(const std::string& path) {
    return opener_.lookUp(path);
}

std::optional<OpenedFile> PosixFileAccess::takeReadAhead(const std::string& path) {
    auto stream = aheadReader_.take(path);
    if (!stream || !stream->file().isOpen()) {
        // Whatever went wrong is found again, and told, as if nothing had been read ahead.
        return std::nullopt;
    }
    // What was read counts only while the name still leads to that file, unchanged since: a
    // file replaced, changed, gone or become something else is opened anew.
    const auto now = opener_.look(path);
    if (!now || *now != stream->look()) {
        return std::nullopt;
    }
    OpenedFile opened;
    opened.identity = stream->file().identity;
    opened.sizeWhenOpened = stream->file().sizeWhenOpened;
    opened.modifiedWhenOpened = stream->file().modifiedWhenOpened;
    opened.changedWhenOpened = stream->file().changedWhenOpened;
    opened.readStarted = true;
    opened.ahead = std::move(stream);
    return opened;
}

OpenedFile PosixFileAccess::openFile(const std::string& path, const DirectoryEntry* listed) {
    // Only the right side's files are read ahead, and they are never listed.
    if (listed == nullptr && switch_.on()) {
        aheadReader_.stop();
    } else if (listed == nullptr) {
        if (auto read = takeReadAhead(path)) {
            return std::move(*read);
        }
    }
    auto ahead = readAhead_.take(path);
    OpenedFile opened = ahead ? std::move(ahead->file) : opener_.open(path, listed != nullptr);
    if (!opened.isOpen() && opened.problem.errorCode == EMFILE) {
        // Files held for reading ahead, and directories kept open to find names by, must never
        // cost a file its comparison.
        stopReadingAhead();
        opener_.forget();
        opened = opener_.open(path, listed != nullptr);
    }
    return opened;
}

void PosixFileAccess::willReadWhole(const std::string& path) {
    // From the disk, two files read at once are two streams it must seek between: read in turn,
    // each gets the kernel's whole read-ahead window.
    if (!switch_.on()) {
        aheadReader_.schedule(path);
    }
}

std::unique_ptr<FileAccess> PosixFileAccess::forAnotherThread() const {
    return std::make_unique<PosixFileAccess>(switch_.mode(), listings_);
}

void PosixFileAccess::willRead(const std::string& directory, std::string_view name, bool listed) {
    if (!switch_.on() || readAhead_.capacity() == 0) {
        return;
    }
    const auto path = joinPath(directory, name);
    auto opened = opener_.open(path, listed);
    if (!opened.isOpen()) {
        return;
    }
    if (!switch_.cachedBeforeFetch(opened.descriptor.get())) {
        ::posix_fadvise(opened.descriptor.get(), 0, kReadAheadLimit, POSIX_FADV_WILLNEED);
    }
    readAhead_.push({path, std::move(opened)});
}

bool PosixFileAccess::changedSinceOpened(OpenedFile& file) {
    if (file.ahead) {
        // Its descriptor is the reading thread's, which looked once it read the last block.
        const auto& atEnd = file.ahead->lookAtEnd();
        return !atEnd || *atEnd != file.ahead->look();
    }
    struct stat st {};
    if (::fstat(file.descriptor.get(), &st) != 0) {
        return true;
    }
    const auto now = lookOf(st);
    return now.size != file.sizeWhenOpened || now.modified != file.modifiedWhenOpened ||
           now.changed != file.changedWhenOpened;
}

const char* PosixFileAccess::readBlockAt(OpenedFile& file, char* buffer, std::int64_t size,
                                         BlockRead& read) {
    if (file.ahead) {
        // Read in blocks of the comparison's size, which is the only size asked for.
        return file.ahead->nextBlock(read);
    }
    read = readBlock(file, buffer, size);
    return buffer;
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
    const auto found = lookOf(st);
    return DirectoryLook{found.identity, {found.modified, found.changed}};
}

} // namespace quorvel
