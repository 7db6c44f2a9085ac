#include "engine/ReadAheadQueue.h"

#include <utility>

namespace quorvel {

void ReadAheadQueue::push(AheadFile file) {
    if (ring_.empty()) {
        return;
    }
    if (count_ == ring_.size()) {
        at(0) = AheadFile{};
        head_ = (head_ + 1) % ring_.size();
        --count_;
    }
    at(count_) = std::move(file);
    ++count_;
}

std::optional<AheadFile> ReadAheadQueue::take(const std::string& path) {
    for (std::size_t i = 0; i < count_; ++i) {
        if (at(i).path != path) {
            continue;
        }
        AheadFile taken = std::move(at(i));
        if (i == 0) {
            head_ = (head_ + 1) % ring_.size();
        } else {
            // Taken out of turn (rare): close the gap.
            for (std::size_t j = i; j + 1 < count_; ++j) {
                at(j) = std::move(at(j + 1));
            }
        }
        --count_;
        return taken;
    }
    return std::nullopt;
}

void ReadAheadQueue::clear() {
    for (std::size_t i = 0; i < count_; ++i) {
        at(i) = AheadFile{};
    }
    head_ = 0;
    count_ = 0;
}

} // namespace quorvel
