#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace quorvel {

// Blanks and control characters (every byte below 33) removed from both ends.
std::string_view trimFilterText(std::string_view text);

// One step over the remaining filter text: the next pattern and the text left after it.
std::pair<std::string, std::string> nextPattern(std::string_view remaining);

// All patterns of a filter in the order written; an empty filter gives one empty pattern.
std::vector<std::string> filterPatterns(std::string_view filter);

} // namespace quorvel
