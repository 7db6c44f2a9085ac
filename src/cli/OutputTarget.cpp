#include "cli/OutputTarget.h"

#include "report/DescriptorPath.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quorvel {

int outputTargetProblem(const std::string& path) {
    if (path == "-") {
        return 0;
    }
    if (const auto fd = descriptorNamedBy(path)) {
        return ::fcntl(*fd, F_GETFD) == -1 ? errno : 0;
    }
    if (path.empty()) {
        return ENOENT;
    }
    struct stat st {};
    if (::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) {
        return EISDIR;
    }
    // The file is replaced through a temporary one beside it: its folder must take new names.
    const auto slash = path.rfind('/');
    const std::string folder =
        slash == std::string::npos ? "." : (slash == 0 ? "/" : path.substr(0, slash));
    if (::stat(folder.c_str(), &st) != 0) {
        return errno;
    }
    if (!S_ISDIR(st.st_mode)) {
        return ENOTDIR;
    }
    return ::access(folder.c_str(), W_OK | X_OK) == 0 ? 0 : errno;
}

} // namespace quorvel
