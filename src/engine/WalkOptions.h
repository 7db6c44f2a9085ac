#pragma once

#include <cstddef>

namespace quorvel {

struct WalkOptions {
    // How much memory the listings kept from the size pass for the comparison pass may take;
    // a directory whose listing was not kept is listed again. About 190 bytes a name, so the
    // default keeps some 350000 names.
    std::size_t keptListingBytes = std::size_t{64} << 20;
};

} // namespace quorvel
