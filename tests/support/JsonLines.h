#pragma once

#include <nlohmann/json.hpp>

#include <string>
#include <vector>

namespace quorvel::test {

// The objects of a report for scripts, one a line; a line that is not JSON throws.
std::vector<nlohmann::json> jsonLines(const std::string& text);

} // namespace quorvel::test
