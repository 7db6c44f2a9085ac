#include "report/PrivateFolder.h"

#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

namespace quorvel {

int makePrivateFolder(const std::string& path) {
    if (path.empty()) {
        return ENOENT;
    }
    if (::mkdir(path.c_str(), 0700) == 0) {
        return 0;
    }
    if (errno != EEXIST) {
        return errno;
    }
    struct stat status {};
    if (::lstat(path.c_str(), &status) != 0) {
        return errno;
    }
    if (!S_ISDIR(status.st_mode)) {
        return ENOTDIR;
    }
    // Someone else's folder could hold a page they put there.
    if (status.st_uid != ::geteuid()) {
        return EACCES;
    }
    // Ours but open to others (an earlier version made it so): closed now.
    if ((status.st_mode & (S_IRWXG | S_IRWXO)) != 0 && ::chmod(path.c_str(), 0700) != 0) {
        return errno;
    }
    return 0;
}

int clearOwnFilePlace(const std::string& path) {
    struct stat status {};
    if (::lstat(path.c_str(), &status) != 0) {
        return errno == ENOENT ? 0 : errno;
    }
    if (S_ISREG(status.st_mode) && status.st_uid == ::geteuid()) {
        return 0;
    }
    if (S_ISDIR(status.st_mode)) {
        return EISDIR;
    }
    return ::unlink(path.c_str()) == 0 ? 0 : errno;
}

} // namespace quorvel
