#include "engine/NameFilter.h"

#include "engine/FilterPatterns.h"
#include "engine/Wildcard.h"

#include <algorithm>

namespace quorvel {

namespace {

bool matchesAny(const std::vector<std::string>& patterns, std::string_view name) {
    return std::any_of(patterns.begin(), patterns.end(), [name](const std::string& pattern) {
        return matchesWildcard(pattern, name);
    });
}

} // namespace

NameFilter::NameFilter(std::string_view filter, std::string_view exclusions)
    : patterns_(filterPatterns(filter)) {
    // No exclusions is no pattern at all, where an empty filter is the one empty pattern.
    if (!trimFilterText(exclusions).empty()) {
        exclusions_ = filterPatterns(exclusions);
    }
}

bool NameFilter::passes(std::string_view name) const {
    return matchesAny(patterns_, name);
}

bool NameFilter::excluded(std::string_view name) const {
    return matchesAny(exclusions_, name);
}

} // namespace quorvel
