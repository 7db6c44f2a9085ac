#pragma once

#include <cstdint>

namespace quorvel {

// True when the first `count` bytes are equal; true for a count of zero or less.
bool blocksEqual(const char* first, const char* second, std::int64_t count);

} // namespace quorvel
