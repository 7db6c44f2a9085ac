#include "engine/DirectoryStream.h"

namespace quorvel {

DirectoryStream::DirectoryStream(FileDescriptor fd) {
    if (!fd.isOpen()) {
        return;
    }
    dir_ = ::fdopendir(fd.get());
    if (dir_ != nullptr) {
        fd.release(); // the stream closes it now
    }
}

DirectoryStream::~DirectoryStream() {
    if (dir_ != nullptr) {
        ::closedir(dir_);
    }
}

} // namespace quorvel
