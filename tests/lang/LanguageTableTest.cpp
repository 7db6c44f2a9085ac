#include "lang/LanguageTable.h"

#include <gtest/gtest.h>

namespace quorvel {
namespace {

TEST(LanguageTable, IdsOutsideTheSixLanguagesHaveNoEntry) {
    for (const int id : {-1, 0, 7, 127}) {
        const auto language = static_cast<LanguageId>(id);
        EXPECT_FALSE(languageText(language, MessageKey::msgEqual).has_value()) << id;
        EXPECT_FALSE(languageText(language, UiKey::uiAbort).has_value()) << id;
        EXPECT_FALSE(languageRecord(language).has_value()) << id;
    }
}

TEST(LanguageTable, RecordsNameCodeAndHelpFile) {
    const auto danish = languageRecord(kDanish);
    ASSERT_TRUE(danish.has_value());
    EXPECT_EQ(danish->name, "Dansk");
    EXPECT_EQ(danish->code, "dk");
    EXPECT_EQ(danish->helpFileName, "/Help_dk.html");

    const auto spanish = languageRecord(kSpanish);
    ASSERT_TRUE(spanish.has_value());
    EXPECT_EQ(spanish->name, "Espa\xC3\xB1ol");
    EXPECT_EQ(spanish->helpFileName, "/Help_esp.html");
}

TEST(LanguageTable, RecordAgreesWithItsOwnNameAndCodeTexts) {
    for (int id = kEnglish; id <= kSpanish; ++id) {
        const auto language = static_cast<LanguageId>(id);
        const auto record = languageRecord(language);
        ASSERT_TRUE(record.has_value()) << id;
        EXPECT_EQ(languageText(language, MessageKey::txtLanguageName), record->name) << id;
        EXPECT_EQ(languageText(language, MessageKey::txtLanguageCode), record->code) << id;
        EXPECT_EQ(record->helpFileName, "/Help_" + std::string(record->code) + ".html") << id;
    }
}

TEST(LanguageTable, CodesLeadBackToTheirLanguage) {
    for (int id = kEnglish; id <= kSpanish; ++id) {
        const auto language = static_cast<LanguageId>(id);
        EXPECT_EQ(languageFromCode(languageRecord(language)->code), language) << id;
    }
    EXPECT_EQ(languageFromCode("dan"), kNoLanguage);
    EXPECT_EQ(languageFromCode("ENG"), kNoLanguage);
    EXPECT_EQ(languageFromCode(""), kNoLanguage);
}

} // namespace
} // namespace quorvel
