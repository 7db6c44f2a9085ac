#include "engine/LongPath.h"

#include <cerrno>
#include <climits>
#include <fcntl.h>
#include <unistd.h>

namespace quorvel {

FileDescriptor openDirectory(const std::string& path, int flags) {
    flags |= O_DIRECTORY | O_CLOEXEC;
    if (path.size() < PATH_MAX) {
        return FileDescriptor(::open(path.c_str(), flags));
    }
    FileDescriptor directory; // none: a relative path starts at the current directory
    const auto at = [&directory] { return directory.isOpen() ? directory.get() : AT_FDCWD; };
    std::size_t pos = 0;
    if (path.front() == '/') {
        directory = FileDescriptor(::open("/", O_PATH | O_DIRECTORY | O_CLOEXEC));
        if (!directory.isOpen()) {
            return {};
        }
        pos = 1;
    }
    while (path.size() - pos >= PATH_MAX) {
        // The longest run of whole components that one call accepts.
        const auto end = path.rfind('/', pos + PATH_MAX - 1);
        if (end == std::string::npos || end <= pos) {
            errno = ENAMETOOLONG;
            return {};
        }
        const std::string piece = path.substr(pos, end - pos);
        FileDescriptor next(::openat(at(), piece.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC));
        if (!next.isOpen()) {
            return {};
        }
        directory = std::move(next);
        pos = end + 1;
    }
    return FileDescriptor(::openat(at(), path.c_str() + pos, flags));
}

} // namespace quorvel
