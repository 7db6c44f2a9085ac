#include "engine/ListedEntries.h"

#include "engine/FileAccess.h"
#include "engine/NameOrder.h"

#include <algorithm>
#include <cstring>

namespace quorvel {

void ListedEntries::addFile(std::string_view name, std::int64_t size) {
    add(name, std::max<std::int64_t>(size, 0));
}

void ListedEntries::addDirectory(std::string_view name) {
    add(name, kDirectory);
}

void ListedEntries::add(std::string_view name, std::int64_t size) {
    if (usedInLast_ + name.size() + 1 > lastBlockBytes_) {
        lastBlockBytes_ = std::max(name.size() + 1,
                                   std::clamp(2 * lastBlockBytes_, kFirstBlockBytes, kBlockBytes));
        blocks_.push_back(std::make_unique_for_overwrite<char[]>(lastBlockBytes_));
        blockBytes_ += lastBlockBytes_;
        usedInLast_ = 0;
    }
    char* at = blocks_.back().get() + usedInLast_;
    std::memcpy(at, name.data(), name.size());
    at[name.size()] = '\0';
    items_.push_back({(blocks_.size() - 1) * kBlockBytes + usedInLast_, size});
    usedInLast_ += name.size() + 1;
}

std::string_view ListedEntries::nameAt(std::uint64_t start) const {
    return {blocks_[start / kBlockBytes].get() + start % kBlockBytes};
}

void ListedEntries::sortByName() {
    std::sort(items_.begin(), items_.end(), [this](const Item& a, const Item& b) {
        return nameLess(nameAt(a.nameStart), nameAt(b.nameStart));
    });
}

DirectoryEntry ListedEntries::operator[](std::size_t i) const {
    const auto& item = items_[i];
    if (item.size == kDirectory) {
        return {nameAt(item.nameStart), DirectoryEntry::Kind::Directory, 0};
    }
    return {nameAt(item.nameStart), DirectoryEntry::Kind::File, item.size};
}

std::size_t ListedEntries::bytes() const {
    constexpr std::size_t kDequeNodeBytes = 512;
    return sizeof(*this) + blocks_.capacity() * sizeof(blocks_[0]) + blockBytes_ +
           (items_.size() * sizeof(Item) / kDequeNodeBytes + 1) * kDequeNodeBytes;
}

} // namespace quorvel
