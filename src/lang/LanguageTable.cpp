#include "lang/LanguageTable.h"

#include "lang/LanguageTexts.h"

#include <array>
#include <cstddef>

namespace quorvel {

namespace {

// In LanguageId order, starting at English.
constexpr std::array<const LanguageTexts*, 6> kLanguages{
    &kEnglishTexts, &kItalianTexts, &kDutchTexts, &kGermanTexts, &kDanishTexts, &kSpanishTexts,
};

template <typename Key, std::size_t N>
std::optional<std::string_view> textAt(const std::array<std::string_view, N>& texts, Key key) {
    const auto index = static_cast<std::size_t>(key);
    if (index >= N) {
        return std::nullopt;
    }
    return texts[index];
}

} // namespace

const LanguageTexts* languageTexts(LanguageId id) {
    if (!isLanguage(id)) {
        return nullptr;
    }
    return kLanguages[static_cast<std::size_t>(id - kEnglish)];
}

std::optional<std::string_view> languageText(LanguageId id, MessageKey key) {
    const LanguageTexts* texts = languageTexts(id);
    if (texts == nullptr) {
        return std::nullopt;
    }
    return textAt(texts->messages, key);
}

std::optional<std::string_view> languageText(LanguageId id, UiKey key) {
    const LanguageTexts* texts = languageTexts(id);
    if (texts == nullptr) {
        return std::nullopt;
    }
    return textAt(texts->ui, key);
}

std::optional<LanguageRecord> languageRecord(LanguageId id) {
    const LanguageTexts* texts = languageTexts(id);
    if (texts == nullptr) {
        return std::nullopt;
    }
    return texts->record;
}

LanguageId languageFromCode(std::string_view code) {
    for (std::size_t i = 0; i < kLanguages.size(); ++i) {
        if (kLanguages[i]->record.code == code) {
            return static_cast<LanguageId>(kEnglish + static_cast<int>(i));
        }
    }
    return kNoLanguage;
}

} // namespace quorvel
