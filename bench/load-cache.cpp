// Reads back into the page cache whatever part of the regular files under the given directories
// is not there, so that a warm run really finds its data in memory. Some machines drop file pages
// left idle for a while (a proactive reclaimer such as DAMON's pageout), even with memory free.

#include "bench/RegularFileWalk.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

constexpr std::size_t kBufferBytes = 1 << 20;

// Reads [offset, offset + length) of the file; false when a read fails.
bool readRange(int fd, off_t offset, off_t length, std::vector<char>& buffer) {
    while (length > 0) {
        const auto want = static_cast<std::size_t>(std::min<off_t>(length, buffer.size()));
        const auto n = ::pread(fd, buffer.data(), want, offset);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            return n == 0;
        }
        offset += n;
        length -= n;
    }
    return true;
}

// False when the file could not be read. Small files are simply read: that costs less than asking
// which of their pages are missing.
bool load(const std::filesystem::path& path, std::vector<char>& buffer) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        std::fprintf(stderr, "load-cache: cannot open '%s': %s\n", path.c_str(),
                     std::strerror(errno));
        return false;
    }
    struct stat st {};
    bool ok = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
    if (ok && st.st_size <= static_cast<off_t>(kBufferBytes)) {
        ok = readRange(fd, 0, st.st_size, buffer);
    } else if (ok) {
        const long page = ::sysconf(_SC_PAGESIZE);
        void* map =
            ::mmap(nullptr, static_cast<std::size_t>(st.st_size), PROT_READ, MAP_SHARED, fd, 0);
        const auto pages = static_cast<std::size_t>((st.st_size + page - 1) / page);
        std::vector<unsigned char> resident(pages);
        ok = map != MAP_FAILED &&
             ::mincore(map, static_cast<std::size_t>(st.st_size), resident.data()) == 0;
        for (std::size_t i = 0; ok && i < pages;) {
            std::size_t end = i;
            while (end < pages && (resident[end] & 1) == 0) {
                ++end;
            }
            if (end > i) {
                const off_t offset = static_cast<off_t>(i) * page;
                const off_t length =
                    std::min<off_t>(static_cast<off_t>(end - i) * page, st.st_size - offset);
                ok = readRange(fd, offset, length, buffer);
            }
            i = std::max(end, i + 1);
        }
        if (map != MAP_FAILED) {
            ::munmap(map, static_cast<std::size_t>(st.st_size));
        }
    }
    ::close(fd);
    if (!ok) {
        std::fprintf(stderr, "load-cache: cannot read '%s'\n", path.c_str());
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char** argv) {
    std::vector<char> buffer(kBufferBytes);
    return quorvel::forEachRegularFile(
        "load-cache", argc, argv,
        [&](const std::filesystem::path& path) { return load(path, buffer); });
}
