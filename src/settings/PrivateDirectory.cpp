#include "settings/PrivateDirectory.h"

#include <QFile>

#include <cerrno>
#include <string>

#include <sys/stat.h>

namespace quorvel {

namespace {

bool isDirectory(const std::string& path) {
    struct stat status {};
    return ::stat(path.c_str(), &status) == 0 && S_ISDIR(status.st_mode);
}

} // namespace

bool makePrivateDirectories(const QString& path) {
    const std::string native = QFile::encodeName(path).toStdString();
    if (native.empty()) {
        return false;
    }
    if (isDirectory(native)) {
        return true;
    }
    // Each folder on the way, from the top down; the first existing ones cost one failed mkdir.
    for (std::size_t slash = native.find('/', 1);; slash = native.find('/', slash + 1)) {
        const std::string prefix = native.substr(0, slash);
        if (!prefix.empty() && prefix.back() != '/' && ::mkdir(prefix.c_str(), 0700) != 0 &&
            (errno != EEXIST || !isDirectory(prefix))) {
            return false;
        }
        if (slash == std::string::npos) {
            return true;
        }
    }
}

} // namespace quorvel
