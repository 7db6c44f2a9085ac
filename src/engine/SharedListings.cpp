#include "engine/SharedListings.h"

#include <algorithm>
#include <cstddef>

namespace quorvel {

std::shared_ptr<const RegularNames>
SharedListings::listed(const FileLook& directory, const std::function<RegularNames()>& list) {
    std::lock_guard lock(mutex_);
    for (const auto& slot : slots_) {
        if (slot.directory == directory) {
            if (auto names = slot.names.lock()) {
                return names;
            }
        }
    }
    auto names = std::make_shared<const RegularNames>(list());
    // A slot nobody's listing holds any more, else the oldest.
    auto free = std::find_if(slots_.begin(), slots_.end(),
                             [](const Slot& slot) { return slot.names.expired(); });
    if (free == slots_.end()) {
        free = slots_.begin() + static_cast<std::ptrdiff_t>(next_);
        next_ = (next_ + 1) % slots_.size();
    }
    *free = {directory, names};
    return names;
}

} // namespace quorvel
