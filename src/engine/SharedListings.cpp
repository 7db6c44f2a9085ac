#include "engine/SharedListings.h"

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
    auto* slot = &slots_[next_];
    for (auto& candidate : slots_) {
        if (candidate.names.expired()) {
            slot = &candidate;
            break;
        }
    }
    if (slot == &slots_[next_]) {
        next_ = (next_ + 1) % slots_.size();
    }
    *slot = {directory, names};
    return names;
}

} // namespace quorvel
