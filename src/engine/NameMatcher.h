#pragma once

#include "engine/FileAccess.h"

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <utility>
#include <vector>

namespace quorvel {

// Decides which names of the two sides are namesakes, and so which are on one side only: the one
// place that does, for directory runs and manifest runs alike. A name's namesake is the name
// itself, byte for byte.
class NameMatcher {
public:
    // The name a left file's namesake has on the right.
    std::string_view namesakeOf(std::string_view leftName) const { return leftName; }

    // Learns the names of a left listing, so that a right name can be told to have a namesake
    // there; null when the left directory is not there. The listing must outlive the questions.
    void learnLeft(const ListedEntries* left);
    bool hasLeftNamesake(std::string_view rightName) const;

    // The order of relative paths in which two sides are merged: two paths are namesakes when
    // neither comes before the other.
    bool pathLess(std::string_view a, std::string_view b) const;

private:
    const ListedEntries* left_ = nullptr;
    // The left names by hash: a right listing comes in no order, and sorting it would cost more
    // than the whole option may.
    std::vector<std::pair<std::size_t, std::uint32_t>> leftNames_;
};

} // namespace quorvel
