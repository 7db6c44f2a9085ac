#include "engine/FileDescriptor.h"

#include <unistd.h>

namespace quorvel {

void FileDescriptor::reset() {
    if (fd_ >= 0) {
        ::close(fd_);
        fd_ = -1;
    }
}

} // namespace quorvel
