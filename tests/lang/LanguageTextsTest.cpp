#include "lang/LanguageTable.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

namespace quorvel {
namespace {

// True for well-formed UTF-8 without control characters (C0, DEL, C1).
bool isCleanUtf8(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size()) {
        const auto lead = static_cast<unsigned char>(text[i]);
        char32_t point = 0;
        std::size_t length = 0;
        if (lead < 0x80) {
            point = lead;
            length = 1;
        } else if ((lead & 0xE0) == 0xC0) {
            point = lead & 0x1F;
            length = 2;
        } else if ((lead & 0xF0) == 0xE0) {
            point = lead & 0x0F;
            length = 3;
        } else if ((lead & 0xF8) == 0xF0) {
            point = lead & 0x07;
            length = 4;
        } else {
            return false;
        }
        if (i + length > text.size()) {
            return false;
        }
        for (std::size_t k = 1; k < length; ++k) {
            const auto next = static_cast<unsigned char>(text[i + k]);
            if ((next & 0xC0) != 0x80) {
                return false;
            }
            point = (point << 6) | (next & 0x3F);
        }
        const char32_t smallest[] = {0, 0, 0x80, 0x800, 0x10000};
        if (point < smallest[length] || point > 0x10FFFF || (point >= 0xD800 && point <= 0xDFFF)) {
            return false;
        }
        if (point < 0x20 || (point >= 0x7F && point <= 0x9F)) {
            return false;
        }
        i += length;
    }
    return true;
}

std::vector<std::string_view> splitOnBar(std::string_view text) {
    std::vector<std::string_view> parts;
    for (std::size_t bar = text.find('|'); bar != std::string_view::npos; bar = text.find('|')) {
        parts.push_back(text.substr(0, bar));
        text.remove_prefix(bar + 1);
    }
    parts.push_back(text);
    return parts;
}

TEST(CleanUtf8Check, RejectsWhatItShould) {
    EXPECT_TRUE(isCleanUtf8("2\xC2\xB0 directory"));
    EXPECT_FALSE(isCleanUtf8("2\xB0 directory")); // a Windows-1252 byte
    EXPECT_FALSE(isCleanUtf8("\xC0\xAF"));        // overlong
    EXPECT_FALSE(isCleanUtf8("tab\there"));
    EXPECT_FALSE(isCleanUtf8("\xC2\x85")); // C1 next line
    EXPECT_FALSE(isCleanUtf8("cut \xC3"));
}

TEST(LanguageTexts, EveryTextIsPresentCleanAndNonEmpty) {
    for (int id = kEnglish; id <= kSpanish; ++id) {
        const auto language = static_cast<LanguageId>(id);
        for (int key = 0; key < kMessageKeyCount; ++key) {
            const auto text = languageText(language, static_cast<MessageKey>(key));
            ASSERT_TRUE(text.has_value()) << id << " message " << key;
            EXPECT_FALSE(text->empty()) << id << " message " << key;
            EXPECT_TRUE(isCleanUtf8(*text)) << id << " message " << key << ": " << *text;
        }
        for (int key = 0; key < kUiKeyCount; ++key) {
            const auto text = languageText(language, static_cast<UiKey>(key));
            ASSERT_TRUE(text.has_value()) << id << " interface " << key;
            EXPECT_FALSE(text->empty()) << id << " interface " << key;
            EXPECT_TRUE(isCleanUtf8(*text)) << id << " interface " << key << ": " << *text;
        }
    }
}

TEST(LanguageTexts, MaybeSuffixStartsWithABlank) {
    for (int id = kEnglish; id <= kSpanish; ++id) {
        const auto maybe = languageText(static_cast<LanguageId>(id), MessageKey::txtMaybe);
        ASSERT_TRUE(maybe.has_value());
        ASSERT_GE(maybe->size(), 2u);
        EXPECT_EQ(maybe->front(), ' ') << id;
        EXPECT_NE((*maybe)[1], ' ') << id;
    }
}

TEST(LanguageTexts, SaveFilterOffersTextThenHtml) {
    for (int id = kEnglish; id <= kSpanish; ++id) {
        const auto filter = languageText(static_cast<LanguageId>(id), UiKey::dlgSaveFilter);
        ASSERT_TRUE(filter.has_value());
        const auto parts = splitOnBar(*filter);
        ASSERT_EQ(parts.size(), 4u) << *filter;
        EXPECT_FALSE(parts[0].empty()) << *filter;
        EXPECT_EQ(parts[1], "*.txt") << *filter;
        EXPECT_EQ(parts[2], "HTML") << *filter;
        EXPECT_EQ(parts[3], "*.html") << *filter;
    }
    EXPECT_EQ(languageText(kDanish, UiKey::dlgSaveFilter), "Tekstfil (txt)|*.txt|HTML|*.html");
}

struct QuotedText {
    LanguageId language;
    MessageKey key;
    std::string_view text;
};

TEST(LanguageTexts, QuotedMessagesAreExact) {
    using enum MessageKey;
    const QuotedText quoted[] = {
        {kEnglish, askViewReportInterrupted,
         "Comparison interrupted bu user. Do you want to view the files report?"},
        {kEnglish, tutorDirDir2,
         "Select one directory to the left and one  to the right and set options below."},
        {kEnglish, tutorFileFile1, "Allows you to compare any two files eachother."},
        {kEnglish, txtMaybe, " (maybe...)"},
        {kItalian, msgNotFoundIn2nd, "non trovato nella 2\xC2\xB0 directory!"},
        {kItalian, errNoMode,
         "E' necessario scegliere una delle 3 modalit\xC3\xA0 di confronto mediante i pulsanti "
         "in alto a sinistra."},
        {kItalian, msgEqualMaybe, "uguali (forse...)."},
        {kDutch, txtReportTitle, "Quorvel - vergelijkings rapport"},
        {kGerman, msgFirstTruncated, "Die erste Datei erscheint verkuerzt!"},
        {kGerman, msgDifferentSize, "unterschiedliche Groesse!"},
        {kGerman, askViewReportFinished, "Vergleich beendet. Moechten Sie den Datei-Report sehen?"},
        {kDanish, msgErrorReading1st, "fejl ved l\xC3\xA6sning af 1. fil!"},
        {kDanish, msgSecondTruncated,
         "2. fil fremtr\xC3\xA6"
         "der afsk\xC3\xA5ret!"},
        {kDanish, msgDifferentSize, "forskellig filst\xC3\xB8rrelse!"},
        {kSpanish, msgErrorReading1st,
         "\xC2\xA1"
         "Error leyendo el 1er archivo!"},
        {kSpanish, msgNotFoundIn2nd, "no se ha encontrado en el 2\xC2\xBA directorio!"},
        {kSpanish, askViewReportFinished,
         "Comparaci\xC3\xB3n Acabada. \xC2\xBF"
         "Deseas ver los archivos de informe?"},
        {kSpanish, msgDifferentSize, "tama\xC3\xB1o diferente!"},
    };
    for (const QuotedText& q : quoted) {
        EXPECT_EQ(languageText(q.language, q.key), q.text)
            << int{q.language} << " key " << static_cast<int>(q.key);
    }
}

TEST(LanguageTexts, QuotedInterfaceTextsAreExact) {
    EXPECT_EQ(languageText(kEnglish, UiKey::uiReportCaption), "Report");
    EXPECT_EQ(languageText(kItalian, UiKey::tutorNoMode1),
              "Scegliere una delle 3 modalit\xC3\xA0 di confronto");
    EXPECT_EQ(languageText(kGerman, UiKey::dlgSaveTitle), "Report speichern...");
    EXPECT_EQ(languageText(kSpanish, UiKey::uiReportCaption), "Informe");
}

} // namespace
} // namespace quorvel
