#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

namespace quorvel {

// Many short texts kept end to end in blocks that never move: it grows without copying what it
// holds, so a million names cost their bytes and little more.
class TextArena {
public:
    // Where a text lies, for `view` with its length.
    std::uint64_t add(std::string_view text);
    std::string_view view(std::uint64_t at, std::size_t length) const;
    // The bytes its blocks take.
    std::size_t bytes() const { return blockBytes_; }

private:
    static constexpr std::size_t kBlockBytes = std::size_t{1} << 20;

    std::vector<std::unique_ptr<char[]>> blocks_;
    std::size_t used_ = kBlockBytes; // of the last block
    std::size_t lastSize_ = 0;
    std::size_t blockBytes_ = 0;
};

} // namespace quorvel
