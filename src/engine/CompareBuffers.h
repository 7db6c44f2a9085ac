#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <new>

namespace quorvel {

// The two comparison buffers, allocated once for the life of the program: every pair of every
// run reads into the same memory.
class CompareBuffers {
public:
    static constexpr std::int64_t kBlockSize = 200000;
    static constexpr std::int64_t kBufferSize = kBlockSize + 2;
    // The kernel copies file data out of whole pages; into a buffer that starts off a 64-byte
    // boundary that copy runs at half speed or worse on some processors.
    static constexpr std::size_t kAlignment = 4096;
    // Then every later block starts on the same 64-byte phase as the file's pages too.
    static_assert(kBlockSize % 64 == 0);

    CompareBuffers() : first_(allocate()), second_(allocate()) {}

    char* first() { return first_.get(); }
    char* second() { return second_.get(); }

private:
    struct Release {
        void operator()(char* buffer) const {
            ::operator delete[](buffer, std::align_val_t{kAlignment});
        }
    };
    using Buffer = std::unique_ptr<char[], Release>;

    static Buffer allocate() {
        return Buffer(static_cast<char*>(
            ::operator new[](static_cast<std::size_t>(kBufferSize), std::align_val_t{kAlignment})));
    }

    Buffer first_;
    Buffer second_;
};

} // namespace quorvel
