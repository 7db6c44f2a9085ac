#include "engine/RegularNames.h"

#include "engine/DirectoryStream.h"

#include <algorithm>
#include <dirent.h>
#include <fcntl.h>
#include <functional>

namespace quorvel {

RegularNames RegularNames::list(int directoryFd) {
    RegularNames listed;
    DirectoryStream stream(
        FileDescriptor(::openat(directoryFd, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC)));
    if (stream.get() == nullptr) {
        return listed;
    }
    const std::hash<std::string_view> hash;
    while (const dirent* d = ::readdir(stream.get())) {
        if (d->d_type == DT_REG) {
            listed.hashes_.push_back(hash(d->d_name));
        }
    }
    std::sort(listed.hashes_.begin(), listed.hashes_.end());
    return listed;
}

bool RegularNames::contains(std::string_view name) const {
    return std::binary_search(hashes_.begin(), hashes_.end(), std::hash<std::string_view>()(name));
}

} // namespace quorvel
