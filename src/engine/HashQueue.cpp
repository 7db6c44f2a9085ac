#include "engine/HashQueue.h"

#include "engine/FileAccess.h"

namespace quorvel {

HashQueue::HashQueue(FileAccess& files, unsigned workers) : hasher_(files) {
    if (files.forAnotherThread()) {
        parallel_ = std::make_unique<ParallelHasher>([&files] { return files.forAnotherThread(); },
                                                     workers);
    }
}

void HashQueue::submit(std::string path, std::int64_t keepUpTo) {
    ++waiting_;
    if (parallel_) {
        parallel_->submit(std::move(path), keepUpTo);
    } else {
        asked_.push_back({std::move(path), keepUpTo});
    }
}

std::optional<HashedFile> HashQueue::next(const MayGoOn& mayGoOn) {
    if (waiting_ == 0) {
        return std::nullopt;
    }
    --waiting_;
    if (parallel_) {
        return parallel_->next(mayGoOn);
    }
    const auto asked = std::move(asked_.front());
    asked_.pop_front();
    auto hashed = hasher_.hash(
        asked.path, [&mayGoOn](std::int64_t) { return mayGoOn(); }, asked.keepUpTo);
    if (hashed.stopped) {
        return std::nullopt;
    }
    return hashed;
}

} // namespace quorvel
