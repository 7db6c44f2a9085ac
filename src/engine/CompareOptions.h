#pragma once

#include "engine/NameRule.h"

#include <string>

namespace quorvel {

// Read from the main window when a run starts; fixed for the run.
struct CompareOptions {
    bool fast = false;
    bool recurse = true;
    bool onlyDifferent = true;
    std::string filter = "*.*";
    // Directory mode only, both off by default: files only in the second tree are listed too,
    // and names matching these patterns (";" between them) are left out on both sides.
    bool bothSides = false;
    std::string exclusions;
    // Directory modes: which names of the two sides are namesakes.
    NameRule names = NameRule::Exact;
    // Directory mode: files only on one side matched by contents as moved (the right's listed
    // too); or, instead of pairs, each left file's contents looked for anywhere on the right.
    bool moves = false;
    bool anywhere = false;
};

} // namespace quorvel
