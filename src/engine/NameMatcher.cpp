#include "engine/NameMatcher.h"

#include "engine/ManifestOrder.h"

#include <algorithm>
#include <functional>

namespace quorvel {

void NameMatcher::learnLeft(const ListedEntries* left) {
    left_ = left;
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
        if ((*left_)[it->second].name == rightName) {
            return true;
        }
    }
    return false;
}

bool NameMatcher::pathLess(std::string_view a, std::string_view b) const {
    return manifestPathLess(a, b);
}

} // namespace quorvel
