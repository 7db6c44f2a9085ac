#pragma once

#include "engine/FileHasher.h"
#include "engine/ParallelHasher.h"

#include <cstddef>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace quorvel {

class FileAccess;

// Files hashed in the order they were asked for: on worker threads where the file access can
// serve another thread, else on the caller's as each result is taken.
class HashQueue {
public:
    using MayGoOn = std::function<bool()>;

    HashQueue(FileAccess& files, unsigned workers);

    // `keepUpTo`: contents at most that long come back with the hash.
    void submit(std::string path, std::int64_t keepUpTo = 0);
    // The oldest file asked for and not yet taken; nothing once `mayGoOn` said no.
    std::optional<HashedFile> next(const MayGoOn& mayGoOn);
    std::size_t waiting() const { return waiting_; }

private:
    FileHasher hasher_;
    std::unique_ptr<ParallelHasher> parallel_;
    struct Asked {
        std::string path;
        std::int64_t keepUpTo = 0;
    };
    std::deque<Asked> asked_; // hashed here when taken, without workers
    std::size_t waiting_ = 0;
};

} // namespace quorvel
