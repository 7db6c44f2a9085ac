// The wildcard matcher against the plainly written rules, on every pattern and name.
#include "engine/Wildcard.h"
#include "fuzz/FuzzCheck.h"
#include "fuzz/ReferenceWildcard.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

using quorvel::matchesWildcard;
using quorvel::fuzz::check;
using quorvel::fuzz::referenceMatch;

namespace {

constexpr std::size_t kReferenceSteps = std::size_t{1} << 20;

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    // The pattern ends at the first NUL, which no file name holds; the name is the rest.
    const std::size_t split = input.find('\0');
    const std::string_view pattern = input.substr(0, split);
    const std::string_view name =
        split == std::string_view::npos ? pattern : input.substr(split + 1);

    // The reference is quadratic; past a million steps it would only slow the search down,
    // while the matcher itself still runs on every input under the time-out.
    const bool matches = matchesWildcard(pattern, name);
    if (pattern.size() * name.size() <= kReferenceSteps) {
        check(matches == referenceMatch(pattern, name), "the matcher agrees with the reference");
    }
    check(matchesWildcard(pattern, pattern), "a pattern matches its own text");
    return 0;
}
