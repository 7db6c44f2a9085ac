// Drops the cached data of every regular file under the given directories, so that the next run
// reads them from the disk. Directory entries and inodes may stay cached. Needs no privileges, but
// only clean pages go: sync the file system after writing the data.

#include "bench/RegularFileWalk.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// False when the file could not be opened or advised.
bool evict(const std::filesystem::path& path) {
    // O_NOFOLLOW and O_NONBLOCK: a name swapped for a link or a FIFO since the listing must
    // neither lead elsewhere nor block.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        std::fprintf(stderr, "evict-cache: cannot open '%s': %s\n", path.c_str(),
                     std::strerror(errno));
        return false;
    }
    struct stat st {};
    bool ok = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
    if (ok) {
        const int error = ::posix_fadvise(fd, 0, 0, POSIX_FADV_DONTNEED);
        if (error != 0) {
            std::fprintf(stderr, "evict-cache: cannot evict '%s': %s\n", path.c_str(),
                         std::strerror(error));
            ok = false;
        }
    }
    ::close(fd);
    return ok;
}

} // namespace

int main(int argc, char** argv) {
    return quorvel::forEachRegularFile("evict-cache", argc, argv, evict);
}
