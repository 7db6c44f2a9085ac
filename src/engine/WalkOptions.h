#pragma once

#include <cstddef>
#include <cstdint>

namespace quorvel {

struct WalkOptions {
    // How much memory the listings kept from the size pass for the comparison pass may take;
    // a directory whose listing was not kept is listed again. About 190 bytes a name, so the
    // default keeps some 350000 names.
    std::size_t keptListingBytes = std::size_t{64} << 20;
    // A directory changed this recently is not kept: a change within the same tick of the file
    // system's clock leaves its times as they were, so the comparison could not tell. Two
    // seconds also cover a file server's clock a little ahead of ours.
    std::int64_t settledNanoseconds = 2'000'000'000;
};

} // namespace quorvel
