#pragma once

#include <cstdint>
#include <memory>

namespace quorvel {

// The two comparison buffers, allocated once for the life of the program: every pair of every
// run reads into the same memory.
class CompareBuffers {
public:
    static constexpr std::int64_t kBlockSize = 200000;
    static constexpr std::int64_t kBufferSize = kBlockSize + 2;

    CompareBuffers()
        : first_(std::make_unique<char[]>(kBufferSize)),
          second_(std::make_unique<char[]>(kBufferSize)) {}

    char* first() { return first_.get(); }
    char* second() { return second_.get(); }

private:
    std::unique_ptr<char[]> first_;
    std::unique_ptr<char[]> second_;
};

} // namespace quorvel
