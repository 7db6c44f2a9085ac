#pragma once

#include "lang/LanguageId.h"
#include "lang/LanguageTable.h"
#include "lang/MessageKey.h"
#include "lang/UiKey.h"

#include <array>
#include <cstddef>
#include <string_view>

namespace quorvel {

// Everything one language brings: its record and its texts, indexed by key.
struct LanguageTexts {
    LanguageRecord record;
    std::array<std::string_view, kMessageKeyCount> messages;
    std::array<std::string_view, kUiKeyCount> ui;
};

template <typename Key>
struct KeyedText {
    Key key;
    std::string_view text;
};

// Places every text at its key's index. The texts are written next to their key names so a reader
// can check them; a key left out, given twice or given an empty text stops the build here.
template <typename Key, std::size_t N>
consteval std::array<std::string_view, N> textsByKey(const std::array<KeyedText<Key>, N>& entries) {
    std::array<std::string_view, N> texts{};
    for (const KeyedText<Key>& entry : entries) {
        const auto index = static_cast<std::size_t>(entry.key);
        if (index >= N || entry.text.empty() || !texts[index].empty()) {
            throw "every key needs exactly one non-empty text";
        }
        texts[index] = entry.text;
    }
    return texts;
}

consteval std::array<std::string_view, kMessageKeyCount>
messageTexts(const std::array<KeyedText<MessageKey>, kMessageKeyCount>& entries) {
    return textsByKey(entries);
}

consteval std::array<std::string_view, kUiKeyCount>
uiTexts(const std::array<KeyedText<UiKey>, kUiKeyCount>& entries) {
    return textsByKey(entries);
}

extern const LanguageTexts kEnglishTexts;
extern const LanguageTexts kItalianTexts;
extern const LanguageTexts kDutchTexts;
extern const LanguageTexts kGermanTexts;
extern const LanguageTexts kDanishTexts;
extern const LanguageTexts kSpanishTexts;

// The texts of language `id`, or nullptr for an id outside 1..6.
const LanguageTexts* languageTexts(LanguageId id);

} // namespace quorvel
