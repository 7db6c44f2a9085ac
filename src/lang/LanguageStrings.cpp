#include "lang/LanguageStrings.h"

#include "lang/LanguageTexts.h"

namespace quorvel {

LanguageStrings::LanguageStrings() : texts_(kItalianTexts.messages), captions_(kItalianTexts.ui) {
    // The windows' own texts, in force until a language is applied, lack the blank before
    // "(forse...)" that the Italian language has.
    texts_[static_cast<int>(MessageKey::msgEqualMaybe)] = "uguali(forse...).";
    texts_[static_cast<int>(MessageKey::txtMaybe)] = "(forse...)";
}

void LanguageStrings::fillFrom(LanguageId id) {
    if (const LanguageTexts* texts = languageTexts(id)) {
        texts_ = texts->messages;
        captions_ = texts->ui;
    }
}

} // namespace quorvel
