#include "engine/BlockCompare.h"

#include <cstring>

namespace quorvel {

bool blocksEqual(const char* first, const char* second, std::int64_t count) {
    return count <= 0 || std::memcmp(first, second, static_cast<std::size_t>(count)) == 0;
}

} // namespace quorvel
