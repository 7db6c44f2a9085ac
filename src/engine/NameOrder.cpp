#include "engine/NameOrder.h"

#include "base/AsciiFold.h"

#include <algorithm>

namespace quorvel {

bool nameLess(std::string_view a, std::string_view b) {
    const auto n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        if (a[i] == b[i]) {
            continue;
        }
        const auto fa = static_cast<unsigned char>(foldAsciiCase(a[i]));
        const auto fb = static_cast<unsigned char>(foldAsciiCase(b[i]));
        if (fa != fb) {
            return fa < fb;
        }
    }
    if (a.size() != b.size()) {
        return a.size() < b.size();
    }
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return static_cast<unsigned char>(x) < static_cast<unsigned char>(y);
    });
}

} // namespace quorvel
