#pragma once

#include "lang/LanguageId.h"
#include "lang/MessageKey.h"
#include "lang/UiKey.h"

#include <optional>
#include <string_view>

namespace quorvel {

// The constant data of one language.
struct LanguageRecord {
    std::string_view name;         // the language's own name, as the chooser lists it
    std::string_view code;         // "eng", "ita", "ned", "deu", "dk", "esp"
    std::string_view helpFileName; // "/Help_eng.html" ..., appended to the program directory
};

// The six languages' texts, UTF-8. Ids outside 1..6 have no entry.
std::optional<std::string_view> languageText(LanguageId id, MessageKey key);
std::optional<std::string_view> languageText(LanguageId id, UiKey key);
std::optional<LanguageRecord> languageRecord(LanguageId id);

// The id whose code is `code` ("eng" ... "esp"), or kNoLanguage.
LanguageId languageFromCode(std::string_view code);

} // namespace quorvel
