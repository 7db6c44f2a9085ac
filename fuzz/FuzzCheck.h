#pragma once

#include <cstdio>
#include <cstdlib>

namespace quorvel::fuzz {

// A broken property ends the run the way a crash does, so libFuzzer keeps the input.
inline void check(bool holds, const char* property) {
    if (!holds) {
        std::fprintf(stderr, "property broken: %s\n", property);
        std::abort();
    }
}

} // namespace quorvel::fuzz
