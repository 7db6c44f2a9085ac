#include "engine/DirectoryStream.h"

#include <unistd.h>

namespace quorvel {

DirectoryStream::DirectoryStream(int fd) {
    if (fd < 0) {
        return;
    }
    dir_ = ::fdopendir(fd);
    if (dir_ == nullptr) {
        ::close(fd);
    }
}

DirectoryStream::~DirectoryStream() {
    if (dir_ != nullptr) {
        ::closedir(dir_);
    }
}

} // namespace quorvel
