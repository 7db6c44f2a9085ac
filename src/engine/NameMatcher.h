#pragma once

#include "engine/FileAccess.h"
#include "engine/NameRule.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace quorvel {

class NameFilter;

// What a name of one side finds on the other under a rule that matches across spellings.
struct NameMatch {
    std::string_view namesake; // the one name it pairs with; empty when there is none
    // The names sharing its key where they make the pairing a guess: its own side's (side 1 the
    // left, 2 the right), or, where it is alone on its side, the other side's.
    std::vector<std::string_view> collidesWith;
    int collidingSide = 0;

    bool collides() const { return collidingSide != 0; }
};

// Decides which names of the two sides are namesakes, and so which are on one side only: the one
// place that does, for directory runs and manifest runs alike. By default a name's namesake is
// the name itself, byte for byte; a rule may match names across letter case or Unicode form.
class NameMatcher {
public:
    void setRule(NameRule rule) { rule_ = rule; }
    bool exact() const { return rule_ == NameRule::Exact; }

    // The name a left file's namesake has on the right, byte for byte.
    std::string_view namesakeOf(std::string_view leftName) const { return leftName; }

    // Learns the names of a left listing, so that a right name can be told to have a namesake
    // there; null when the left directory is not there. The listing must outlive the questions.
    void learnLeft(const ListedEntries* left);
    bool hasLeftNamesake(std::string_view rightName) const;

    // Across spellings: learns both sides' names that `names` does not leave out (a side is null
    // when its directory is not there); the listings must outlive the questions.
    void learnSides(const ListedEntries* left, const ListedEntries* right, const NameFilter& names);
    NameMatch matchLeft(std::string_view leftName) const { return match(leftName, left_, right_); }
    NameMatch matchRight(std::string_view rightName) const {
        return match(rightName, right_, left_);
    }

    // The order of relative paths in which two sides are merged: two paths are namesakes when
    // neither comes before the other.
    bool pathLess(std::string_view a, std::string_view b) const;

private:
    // One side's names by key.
    struct Keyed {
        const ListedEntries* listing = nullptr;
        std::vector<std::pair<std::string, std::uint32_t>> keys;
        int side = 0;
    };
    NameMatch match(std::string_view name, const Keyed& own, const Keyed& other) const;
    NameMatch matchUnsorted(std::string_view name, const Keyed& own, const Keyed& other) const;
    void learn(Keyed& side, const ListedEntries* listing, const NameFilter& names);

    NameRule rule_ = NameRule::Exact;
    const ListedEntries* exactLeft_ = nullptr;
    // The left names by hash: a right listing comes in no order, and sorting it would cost more
    // than the whole option may.
    std::vector<std::pair<std::size_t, std::uint32_t>> leftNames_;
    Keyed left_{nullptr, {}, 1};
    Keyed right_{nullptr, {}, 2};
};

} // namespace quorvel
