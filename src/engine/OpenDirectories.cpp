#include "engine/OpenDirectories.h"

#include "engine/LongPath.h"
#include "engine/SharedListings.h"

#include <cerrno>
#include <fcntl.h>
#include <string_view>
#include <sys/stat.h>
#include <utility>

namespace quorvel {

namespace {

constexpr int kLooksBeforeListing = 8;
// A path this short costs the kernel less to walk whole than a directory costs to open and close.
constexpr std::size_t kWholePathBelow = 1024;

} // namespace

OpenDirectories::OpenDirectories(std::shared_ptr<SharedListings> shared)
    : shared_(std::move(shared)) {}

OpenDirectories::Location OpenDirectories::locate(const std::string& path) {
    const auto slash = path.rfind('/');
    if (slash == std::string::npos || slash + 1 == path.size()) {
        return {AT_FDCWD, path, nullptr};
    }
    const std::string_view parent(path.data(), slash == 0 ? 1 : slash);
    std::string name = path.substr(slash + 1);
    for (auto& kept : kept_) {
        if (kept.fd.isOpen() && kept.path == parent) {
            return {kept.fd.get(), std::move(name), &kept};
        }
    }
    // A directory is kept from its second name on: names met one per directory, as a search
    // through a whole tree meets them, are each found by their whole path.
    if (parent != lastMissed_ && path.size() < kWholePathBelow) {
        lastMissed_ = parent;
        return {AT_FDCWD, path, nullptr};
    }
    auto& slot = kept_[nextSlot_];
    nextSlot_ = (nextSlot_ + 1) % kept_.size();
    slot = Kept{};
    slot.path = parent;
    slot.fd = openDirectory(slot.path, O_PATH);
    if (!slot.fd.isOpen()) {
        return {AT_FDCWD, path, nullptr, errno};
    }
    return {slot.fd.get(), std::move(name), &slot};
}

bool OpenDirectories::listedRegular(const Location& where) {
    Kept* kept = where.kept;
    if (kept == nullptr) {
        return false;
    }
    if (!kept->listed) {
        if (++kept->looks < kLooksBeforeListing) {
            return false;
        }
        kept->listed = true;
        kept->regular = listRegular(kept->fd);
    }
    return kept->regular->contains(where.name);
}

std::shared_ptr<const RegularNames> OpenDirectories::listRegular(const FileDescriptor& directory) {
    struct stat st {};
    if (shared_ == nullptr || ::fstat(directory.get(), &st) != 0) {
        return std::make_shared<const RegularNames>(RegularNames::list(directory.get()));
    }
    return shared_->listed(lookOf(st),
                           [&directory] { return RegularNames::list(directory.get()); });
}

void OpenDirectories::forget() {
    for (auto& kept : kept_) {
        kept = Kept{};
    }
    lastMissed_.clear();
}

} // namespace quorvel
