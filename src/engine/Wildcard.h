#pragma once

#include <string_view>

namespace quorvel {

// "*" matches any run of characters (none included), "?" exactly one character (a UTF-8 sequence
// counts as one), ASCII letters match without regard to case, and "*.*" matches every name.
// Time grows with pattern length times name length at worst, never exponentially.
bool matchesWildcard(std::string_view pattern, std::string_view name);

} // namespace quorvel
