#pragma once

#include "engine/PairRecord.h"

#include <string>

namespace quorvel {

// A name paired with none, as others share its key.
struct NameCollision {
    std::string name;   // a file by its name, a directory by its path and "/"
    std::string others; // "/" between them, as no name holds one
    int side = 0;       // 1 the left, 2 the right
    int collidingSide = 0;

    // The record views this collision's names: it must not outlive them.
    PairRecord record(const std::string& directory) const {
        PairRecord pair;
        pair.directory = directory;
        pair.name = name;
        pair.result = CompareResult::NameCollision;
        pair.nameSide = side;
        pair.collidesWith = others;
        pair.collidingSide = collidingSide;
        return pair;
    }
};

} // namespace quorvel
