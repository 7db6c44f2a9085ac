#include "engine/ManifestEntries.h"

namespace quorvel {

void ManifestEntries::add(const ManifestEntry& entry) {
    const std::size_t length = entry.path.size();
    const char* path = paths_.view(paths_.add(entry.path), length).data();
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
    return paths_.bytes() + items_.size() * sizeof(Item);
}

} // namespace quorvel
