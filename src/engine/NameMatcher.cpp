#include "engine/NameMatcher.h"

#include "engine/ListedEntries.h"
#include "engine/ManifestOrder.h"
#include "engine/NameFilter.h"
#include "engine/NameKey.h"
#include "engine/NameOrder.h"

#include <algorithm>
#include <functional>

namespace quorvel {

void NameMatcher::learnLeft(const ListedEntries* left) {
    exactLeft_ = left;
    leftNames_.clear();
    if (left == nullptr) {
        return;
    }
    leftNames_.reserve(left->size());
    for (std::size_t i = 0; i < left->size(); ++i) {
        leftNames_.emplace_back(std::hash<std::string_view>{}((*left)[i].name),
                                static_cast<std::uint32_t>(i));
    }
    std::sort(leftNames_.begin(), leftNames_.end());
}

bool NameMatcher::hasLeftNamesake(std::string_view rightName) const {
    const auto hash = std::hash<std::string_view>{}(rightName);
    for (auto it = std::lower_bound(leftNames_.begin(), leftNames_.end(), std::make_pair(hash, 0u));
         it != leftNames_.end() && it->first == hash; ++it) {
        if ((*exactLeft_)[it->second].name == rightName) {
            return true;
        }
    }
    return false;
}

void NameMatcher::learn(Keyed& side, const ListedEntries* listing, const NameFilter& names) {
    side.listing = listing;
    side.keys.clear();
    if (listing == nullptr) {
        return;
    }
    for (std::size_t i = 0; i < listing->size(); ++i) {
        const auto name = (*listing)[i].name;
        if (!names.excluded(name)) {
            side.keys.emplace_back(nameKey(name, rule_), static_cast<std::uint32_t>(i));
        }
    }
    std::sort(side.keys.begin(), side.keys.end());
}

void NameMatcher::learnSides(const ListedEntries* left, const ListedEntries* right,
                             const NameFilter& names) {
    learn(left_, left, names);
    learn(right_, right, names);
}

NameMatch NameMatcher::match(std::string_view name, const Keyed& own, const Keyed& other) const {
    NameMatch found = matchUnsorted(name, own, other);
    // A listing comes in no order of its own.
    std::sort(found.collidesWith.begin(), found.collidesWith.end(), nameLess);
    return found;
}

NameMatch NameMatcher::matchUnsorted(std::string_view name, const Keyed& own,
                                     const Keyed& other) const {
    const auto key = nameKey(name, rule_);
    const auto range = [&key](const Keyed& side) {
        return std::equal_range(side.keys.begin(), side.keys.end(), std::make_pair(key, 0u),
                                [](const auto& a, const auto& b) { return a.first < b.first; });
    };
    NameMatch found;
    const auto ownRange = range(own);
    if (ownRange.second - ownRange.first > 1) {
        found.collidingSide = own.side;
        for (auto it = ownRange.first; it != ownRange.second; ++it) {
            const auto sibling = (*own.listing)[it->second].name;
            if (sibling != name) {
                found.collidesWith.push_back(sibling);
            }
        }
        return found;
    }
    const auto otherRange = range(other);
    if (otherRange.second - otherRange.first == 1) {
        found.namesake = (*other.listing)[otherRange.first->second].name;
    } else if (otherRange.first != otherRange.second) {
        found.collidingSide = other.side;
        for (auto it = otherRange.first; it != otherRange.second; ++it) {
            found.collidesWith.push_back((*other.listing)[it->second].name);
        }
    }
    return found;
}

bool NameMatcher::pathLess(std::string_view a, std::string_view b) const {
    return manifestPathLess(a, b);
}

} // namespace quorvel
