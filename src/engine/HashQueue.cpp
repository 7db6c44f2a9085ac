#include "engine/HashQueue.h"

#include "engine/FileAccess.h"

namespace quorvel {

HashQueue::HashQueue(FileAccess& files, unsigned workers) : hasher_(files) {
    if (files.forAnotherThread()) {
        parallel_ = std::make_unique<ParallelHasher>([&files] { return files.forAnotherThread(); },
                                                     workers);
    }
}

void HashQueue::submit(std::string path) {
    ++waiting_;
    if (parallel_) {
        parallel_->submit(std::move(path));
    } else {
        paths_.push_back(std::move(path));
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
    const auto path = std::move(paths_.front());
    paths_.pop_front();
    auto hashed = hasher_.hash(path, [&mayGoOn](std::int64_t) { return mayGoOn(); });
    if (hashed.stopped) {
        return std::nullopt;
    }
    return hashed;
}

} // namespace quorvel
