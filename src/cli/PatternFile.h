#pragma once

#include <string>

namespace quorvel {

// The patterns of a file, one a line (blank lines and a trailing CR left out), joined with ";".
struct PatternFile {
    std::string patterns;
    int errorCode = 0; // the system's reason when the file could not be read
};
PatternFile readPatternFile(const std::string& path);

} // namespace quorvel
