#pragma once

#include "engine/FileAccess.h"

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace quorvel {

// A file opened before its turn, so that the disk can fetch its data meanwhile.
struct AheadFile {
    std::string path;
    OpenedFile file;
};

// Files opened ahead, oldest first; they are taken in about the order they were opened. Whatever
// is dropped is closed.
class ReadAheadQueue {
public:
    explicit ReadAheadQueue(std::size_t capacity) : ring_(capacity) {}

    std::size_t capacity() const { return ring_.size(); }
    // Drops the oldest file to make room when the queue is full.
    void push(AheadFile file);
    std::optional<AheadFile> take(const std::string& path);
    void clear();

private:
    AheadFile& at(std::size_t i) { return ring_[(head_ + i) % ring_.size()]; }

    std::vector<AheadFile> ring_;
    std::size_t head_ = 0;
    std::size_t count_ = 0;
};

} // namespace quorvel
