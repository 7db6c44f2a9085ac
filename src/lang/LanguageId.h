#pragma once

#include <cstdint>

namespace quorvel {

// One signed byte: 0 none chosen yet, 1 English ... 6 Spanish; anything else is not a language.
using LanguageId = std::int8_t;

inline constexpr LanguageId kNoLanguage = 0;
inline constexpr LanguageId kEnglish = 1;
inline constexpr LanguageId kItalian = 2;
inline constexpr LanguageId kDutch = 3;
inline constexpr LanguageId kGerman = 4;
inline constexpr LanguageId kDanish = 5;
inline constexpr LanguageId kSpanish = 6;

constexpr bool isLanguage(int id) {
    return id >= kEnglish && id <= kSpanish;
}

} // namespace quorvel
