#pragma once

#include "engine/CompareMode.h"
#include "engine/CompareOptions.h"

#include <optional>
#include <string>
#include <vector>

namespace quorvel {

// What a run is asked to compare, fixed for the run; made by whoever starts it.
struct RunRequest {
    CompareMode mode = CompareMode::None;
    std::string leftDirectory;
    std::string rightDirectory;
    std::vector<std::string> leftNames; // the chosen files on the left, in list order
    std::optional<std::string> rightName;
    CompareOptions options;
};

} // namespace quorvel
