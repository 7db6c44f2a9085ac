#include "base/FileDescriptor.h"

#include <cerrno>
#include <unistd.h>

namespace quorvel {

void FileDescriptor::reset() {
    if (fd_ >= 0) {
        const int saved = errno;
        ::close(std::exchange(fd_, -1));
        errno = saved;
    }
}

int FileDescriptor::close() {
    if (fd_ < 0) {
        return EBADF;
    }
    return ::close(std::exchange(fd_, -1)) == 0 ? 0 : errno;
}

} // namespace quorvel
