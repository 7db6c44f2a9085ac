#pragma once

#include <string_view>

namespace quorvel::fuzz {

// The wildcard rules stated plainly, for checking the real matcher: both texts are cut into
// characters (a well-formed UTF-8 sequence or else a single byte), "*" takes any number of the
// name's characters, "?" one, any other pattern character one equal character of the name, ASCII
// letters without regard to case; the pattern "*.*" takes every name. Quadratic time and linear
// memory, by dynamic programming over the two character lists.
bool referenceMatch(std::string_view pattern, std::string_view name);

} // namespace quorvel::fuzz
