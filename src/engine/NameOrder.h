#pragma once

#include <string_view>

namespace quorvel {

// The order of a directory listing: byte by byte with ASCII capitals read as small letters;
// names equal that way are ordered by their original bytes, so every listing is reproducible.
bool nameLess(std::string_view a, std::string_view b);

} // namespace quorvel
