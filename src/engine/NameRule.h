#pragma once

#include <cstdint>

namespace quorvel {

// Which names of the two sides are namesakes besides those spelt byte for byte alike.
enum class NameRule : std::uint8_t {
    Exact = 0,
    Case = 1,        // names that differ only in letter case
    Unicode = 2,     // names in either normalisation form of the same text
    CaseUnicode = 3, // both
};

constexpr bool foldsCase(NameRule rule) {
    return (static_cast<int>(rule) & static_cast<int>(NameRule::Case)) != 0;
}

constexpr bool normalisesForm(NameRule rule) {
    return (static_cast<int>(rule) & static_cast<int>(NameRule::Unicode)) != 0;
}

} // namespace quorvel
