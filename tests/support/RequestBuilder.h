#pragma once

#include "engine/RunRequest.h"

#include <optional>
#include <string>
#include <vector>

namespace quorvel::test {

// The values a window would read a run's request from, set one by one.
class RequestBuilder {
public:
    CompareMode mode = CompareMode::DirectoryWithDirectory;
    std::string left;
    std::string right;
    std::vector<std::string> leftSelection;
    std::optional<std::string> rightSelection;
    CompareOptions options;

    RunRequest build() const;
};

} // namespace quorvel::test
