#include "engine/TextArena.h"

#include <algorithm>
#include <cstring>

namespace quorvel {

std::uint64_t TextArena::add(std::string_view text) {
    if (used_ + text.size() > lastSize_) {
        // A text longer than a block gets one of its own size.
        lastSize_ = std::max(kBlockBytes, text.size());
        blocks_.push_back(std::make_unique_for_overwrite<char[]>(lastSize_));
        blockBytes_ += lastSize_;
        used_ = 0;
    }
    if (!text.empty()) {
        std::memcpy(blocks_.back().get() + used_, text.data(), text.size());
    }
    const auto at = (static_cast<std::uint64_t>(blocks_.size() - 1) << 32) | used_;
    used_ += text.size();
    return at;
}

std::string_view TextArena::view(std::uint64_t at, std::size_t length) const {
    return {blocks_[at >> 32].get() + (at & 0xffffffffU), length};
}

} // namespace quorvel
