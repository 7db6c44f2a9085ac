#pragma once

#include <string>

namespace quorvel {

// Read from the main window when a run starts; fixed for the run.
struct CompareOptions {
    bool fast = false;
    bool recurse = true;
    bool onlyDifferent = true;
    std::string filter = "*.*";
};

} // namespace quorvel
