#include "engine/ManifestEntries.h"

#include <algorithm>
#include <cstring>

namespace quorvel {

void ManifestEntries::add(const ManifestEntry& entry) {
    const std::size_t length = entry.path.size();
    if (blocks_.empty() || usedInLast_ + length > lastBlockBytes_) {
        // A path longer than a block gets a block of its own size.
        lastBlockBytes_ = std::max(kBlockBytes, length);
        blocks_.push_back(std::make_unique<char[]>(lastBlockBytes_));
        blockBytes_ += lastBlockBytes_;
        usedInLast_ = 0;
    }
    char* path = blocks_.back().get() + usedInLast_;
    if (length > 0) {
        std::memcpy(path, entry.path.data(), length);
    }
    usedInLast_ += length;
    items_.push_back({path, static_cast<std::uint32_t>(length),
                      static_cast<std::int32_t>(entry.errorCode), entry.size,
                      entry.modifiedNanoseconds, entry.hash});
}

ManifestEntry ManifestEntries::operator[](std::size_t i) const {
    const Item& item = items_[i];
    return {std::string_view(item.path, item.pathLength), item.size, item.modified, item.hash,
            item.errorCode};
}

std::size_t ManifestEntries::bytes() const {
    return blockBytes_ + items_.size() * sizeof(Item);
}

} // namespace quorvel
