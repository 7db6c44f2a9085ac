#include "engine/DirectoryKinds.h"

#include "engine/DirectoryStream.h"

#include <algorithm>
#include <dirent.h>
#include <fcntl.h>

namespace quorvel {

DirectoryKinds DirectoryKinds::list(int directoryFd) {
    DirectoryKinds kinds;
    DirectoryStream stream(::openat(directoryFd, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (stream.get() == nullptr) {
        return kinds;
    }
    while (const dirent* d = ::readdir(stream.get())) {
        kinds.entries_.push_back({d->d_name, d->d_type, static_cast<std::uint64_t>(d->d_ino)});
    }
    std::sort(kinds.entries_.begin(), kinds.entries_.end(),
              [](const Entry& a, const Entry& b) { return a.name < b.name; });
    return kinds;
}

DirectoryKinds::Found DirectoryKinds::find(const std::string& name) const {
    const auto found =
        std::lower_bound(entries_.begin(), entries_.end(), name,
                         [](const Entry& e, const std::string& n) { return e.name < n; });
    if (found == entries_.end() || found->name != name || found->type == DT_LNK ||
        found->type == DT_UNKNOWN) {
        return {};
    }
    return {found->type == DT_REG ? Kind::Regular : Kind::Other, found->inode};
}

} // namespace quorvel
