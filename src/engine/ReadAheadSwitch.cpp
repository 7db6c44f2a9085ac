#include "engine/ReadAheadSwitch.h"

#include <cerrno>
#include <sys/mman.h>
#include <sys/uio.h>
#include <unistd.h>

namespace quorvel {

namespace {

// Whether the file's first page is in memory, whatever marks the kernel put on it.
bool startInMemory(int fd) {
    const auto page = static_cast<std::size_t>(::sysconf(_SC_PAGESIZE));
    void* mapped = ::mmap(nullptr, page, PROT_READ, MAP_SHARED, fd, 0);
    if (mapped == MAP_FAILED) {
        return false;
    }
    unsigned char resident = 0;
    const bool known = ::mincore(mapped, page, &resident) == 0;
    ::munmap(mapped, page);
    return known && (resident & 1) != 0;
}

} // namespace

void ReadAheadSwitch::reset() {
    on_ = mode_ == Mode::Always || !canAskWithoutWaiting_;
    missesInARow_ = 0;
    cachedInARow_ = 0;
}

std::int64_t ReadAheadSwitch::firstRead(int fd, char* buffer, std::int64_t size) {
    if (canAskWithoutWaiting_) {
        iovec part{buffer, static_cast<std::size_t>(size)};
        const auto n = ::preadv2(fd, &part, 1, -1, RWF_NOWAIT);
        if (n >= 0 || (errno != EAGAIN && errno != EOPNOTSUPP && errno != EINVAL)) {
            missesInARow_ = 0;
            return n;
        }
        if (errno == EAGAIN) {
            // A file in memory but marked where the kernel is to read on ahead is declined too:
            // only one whose start is not in memory is a miss.
            declined(startInMemory(fd));
        } else {
            // Without a read that need not wait there is no telling; reading ahead never hurts
            // much.
            canAskWithoutWaiting_ = false;
            on_ = true;
        }
    }
    return ::read(fd, buffer, static_cast<std::size_t>(size));
}

void ReadAheadSwitch::declined(bool startCached) {
    missesInARow_ = startCached ? 0 : missesInARow_ + 1;
    on_ = on_ || missesInARow_ >= 2;
}

bool ReadAheadSwitch::cachedBeforeFetch(int fd) {
    if (mode_ == Mode::Always || !canAskWithoutWaiting_) {
        return false;
    }
    char byte = 0;
    iovec part{&byte, 1};
    if (::preadv2(fd, &part, 1, 0, RWF_NOWAIT) < 0) {
        cachedInARow_ = 0;
        return false;
    }
    if (++cachedInARow_ >= kCachedToTurnOff) {
        on_ = false;
        cachedInARow_ = 0;
        missesInARow_ = 0;
    }
    return true;
}

} // namespace quorvel
