#pragma once

#include <string>
#include <string_view>

namespace quorvel {

// Replaces the four bytes " & < > by their entities; every other byte passes unchanged.
std::string escapeHtml(std::string_view text);

} // namespace quorvel
