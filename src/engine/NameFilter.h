#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace quorvel {

// A run's filter and exclusions, as every walk applies them to names: a file is taken when a
// pattern of the filter matches its name, and no name an exclusion matches is looked at.
class NameFilter {
public:
    NameFilter() = default;
    NameFilter(std::string_view filter, std::string_view exclusions);

    // The filter's patterns in the order written (a walk takes files pattern by pattern).
    const std::vector<std::string>& patterns() const { return patterns_; }
    bool passes(std::string_view name) const;
    bool excluded(std::string_view name) const;

private:
    std::vector<std::string> patterns_;
    std::vector<std::string> exclusions_;
};

} // namespace quorvel
