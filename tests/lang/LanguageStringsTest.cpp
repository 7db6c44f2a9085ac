#include "lang/LanguageStrings.h"
#include "lang/LanguageTable.h"

#include <gtest/gtest.h>

#include <array>
#include <string_view>

namespace quorvel {
namespace {

std::array<std::string_view, kMessageKeyCount> allTexts(const LanguageStrings& strings) {
    std::array<std::string_view, kMessageKeyCount> texts{};
    for (int key = 0; key < kMessageKeyCount; ++key) {
        texts[key] = strings.text(static_cast<MessageKey>(key));
    }
    return texts;
}

TEST(LanguageStrings, StartTextsAreItalianWithoutTheTwoBlanks) {
    const LanguageStrings strings;
    EXPECT_EQ(strings.text(MessageKey::msgEqualMaybe), "uguali(forse...).");
    EXPECT_EQ(strings.text(MessageKey::txtMaybe), "(forse...)");
    for (int key = 0; key < kMessageKeyCount; ++key) {
        const auto messageKey = static_cast<MessageKey>(key);
        if (messageKey == MessageKey::msgEqualMaybe || messageKey == MessageKey::txtMaybe) {
            continue;
        }
        EXPECT_EQ(strings.text(messageKey), languageText(kItalian, messageKey)) << key;
    }
}

TEST(LanguageStrings, ApplyingItalianBringsBackTheBlanks) {
    LanguageStrings strings;
    strings.fillFrom(kItalian);
    EXPECT_EQ(strings.text(MessageKey::msgEqualMaybe), "uguali (forse...).");
    EXPECT_EQ(strings.text(MessageKey::txtMaybe), " (forse...)");
}

TEST(LanguageStrings, FillFromTakesEveryTextOfTheLanguage) {
    LanguageStrings strings;
    for (int id = kEnglish; id <= kSpanish; ++id) {
        const auto language = static_cast<LanguageId>(id);
        strings.fillFrom(language);
        for (int key = 0; key < kMessageKeyCount; ++key) {
            const auto messageKey = static_cast<MessageKey>(key);
            EXPECT_EQ(strings.text(messageKey), languageText(language, messageKey))
                << id << " key " << key;
        }
    }
    strings.fillFrom(kDanish);
    EXPECT_EQ(strings.text(MessageKey::txtLanguageCode), "dk");
}

TEST(LanguageStrings, IdsOutsideTheSixLanguagesChangeNothing) {
    LanguageStrings strings;
    const auto start = allTexts(strings);
    for (const int id : {0, 7, -1}) {
        strings.fillFrom(static_cast<LanguageId>(id));
        EXPECT_EQ(allTexts(strings), start) << id;
    }

    strings.fillFrom(kEnglish);
    const auto english = allTexts(strings);
    strings.fillFrom(kNoLanguage);
    strings.fillFrom(7);
    EXPECT_EQ(allTexts(strings), english);
    strings.fillFrom(kEnglish);
    EXPECT_EQ(allTexts(strings), english);
}

} // namespace
} // namespace quorvel
