#include "engine/LongPath.h"

#include <cerrno>
#include <climits>
#include <fcntl.h>
#include <unistd.h>

namespace quorvel {

namespace {

void closeUnlessCwd(int fd) {
    if (fd != AT_FDCWD) {
        ::close(fd);
    }
}

} // namespace

int openDirectory(const std::string& path, int flags) {
    flags |= O_DIRECTORY | O_CLOEXEC;
    if (path.size() < PATH_MAX) {
        return ::open(path.c_str(), flags);
    }
    int directory = AT_FDCWD;
    std::size_t pos = 0;
    if (path.front() == '/') {
        directory = ::open("/", O_PATH | O_DIRECTORY | O_CLOEXEC);
        if (directory < 0) {
            return -1;
        }
        pos = 1;
    }
    while (path.size() - pos >= PATH_MAX) {
        // The longest run of whole components that one call accepts.
        const auto end = path.rfind('/', pos + PATH_MAX - 1);
        if (end == std::string::npos || end <= pos) {
            closeUnlessCwd(directory);
            errno = ENAMETOOLONG;
            return -1;
        }
        const std::string piece = path.substr(pos, end - pos);
        const int next = ::openat(directory, piece.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
        closeUnlessCwd(directory);
        if (next < 0) {
            return -1;
        }
        directory = next;
        pos = end + 1;
    }
    const int fd = ::openat(directory, path.c_str() + pos, flags);
    const int saved = errno;
    closeUnlessCwd(directory);
    errno = saved;
    return fd;
}

} // namespace quorvel
