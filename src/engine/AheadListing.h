#pragma once

#include "engine/FileAccess.h"

#include <cstdint>
#include <optional>

namespace quorvel {

// A directory listed on another thread before its turn, with a look taken before the listing
// and when the listing began, so that the run can tell whether it still holds.
struct AheadListing {
    std::optional<DirectoryLook> look;
    std::int64_t listedAt = 0; // nanoseconds since the epoch
    DirectoryListing listing;
};

} // namespace quorvel
