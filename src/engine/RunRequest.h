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
    // What the heading quotes, in the language of the run: the words for the filter and the
    // exclusions, and the note that a run compares sizes only.
    std::string filterWord;
    std::string excludeWord;
    std::string fastNote;
};

} // namespace quorvel
