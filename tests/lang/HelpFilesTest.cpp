#include "lang/LanguageTable.h"

#include <gtest/gtest.h>

#include <fstream>
#include <regex>
#include <set>
#include <sstream>
#include <string>

namespace quorvel {
namespace {

const std::string kHelpFolder = QUORVEL_HELP_SOURCE_DIR;

std::string readHelp(const std::string& name) {
    std::ifstream in(kHelpFolder + "/" + name, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::string fileName(LanguageId id) {
    return std::string(languageRecord(id)->helpFileName.substr(1));
}

std::set<std::string> anchors(const std::string& html) {
    std::set<std::string> found;
    const std::regex anchor(R"re(<a\s[^>]*(?:name|id)="([^"]+)")re", std::regex::icase);
    for (std::sregex_iterator it(html.begin(), html.end(), anchor), end; it != end; ++it) {
        found.insert((*it)[1].str());
    }
    return found;
}

std::vector<std::string> links(const std::string& html) {
    std::vector<std::string> found;
    const std::regex link(R"re(href="([^"]*)")re", std::regex::icase);
    for (std::sregex_iterator it(html.begin(), html.end(), link), end; it != end; ++it) {
        found.push_back((*it)[1].str());
    }
    return found;
}

TEST(HelpFiles, EachHasATitleAndTheThreeTopics) {
    for (int id = kEnglish; id <= kSpanish; ++id) {
        const std::string name = fileName(static_cast<LanguageId>(id));
        const std::string html = readHelp(name);
        ASSERT_FALSE(html.empty()) << name;
        EXPECT_TRUE(std::regex_search(html, std::regex("<title>[^<]+</title>"))) << name;
        EXPECT_TRUE(std::regex_search(html, std::regex(R"(<meta charset="utf-8">)"))) << name;
        const std::set<std::string> topics = anchors(html);
        for (const char* topic : {"100", "200", "300"}) {
            EXPECT_TRUE(topics.contains(topic)) << name << " lacks topic " << topic;
        }
    }
}

TEST(HelpFiles, EveryLinkStaysInsideTheHelpAndResolves) {
    for (int id = kEnglish; id <= kSpanish; ++id) {
        const std::string name = fileName(static_cast<LanguageId>(id));
        const std::string html = readHelp(name);
        for (const std::string& target : links(html)) {
            const std::size_t hash = target.find('#');
            const std::string file = target.substr(0, hash);
            const std::string anchor = hash == std::string::npos ? "" : target.substr(hash + 1);
            EXPECT_EQ(file.find_first_of("/:\\"), std::string::npos)
                << name << ": " << target << " leaves the help folder";
            const std::string linked = file.empty() ? html : readHelp(file);
            ASSERT_FALSE(linked.empty()) << name << ": " << target << " names no help file";
            if (!anchor.empty()) {
                EXPECT_TRUE(anchors(linked).contains(anchor))
                    << name << ": " << target << " names no anchor";
            }
        }
    }
}

// The help names the controls and the results as the program shows them in that language.
TEST(HelpFiles, UseTheProgramsOwnTextsOfTheirLanguage) {
    const UiKey controls[] = {
        UiKey::uiAbort,          UiKey::uiRecurse,
        UiKey::uiOnlyDifferent,  UiKey::uiCompareThis,
        UiKey::uiWithThis,       UiKey::uiFilter,
        UiKey::hintFileFile,     UiKey::hintFileDir,
        UiKey::hintDirDir,       UiKey::hintStart,
        UiKey::hintViewReport,   UiKey::hintHelp,
        UiKey::hintLanguage,     UiKey::uiGeneralOptions,
        UiKey::uiFastCompare,    UiKey::uiBrowse,
        UiKey::uiDirectory,      UiKey::uiFiles,
        UiKey::hintCopyFromLeft, UiKey::hintCopyFromRight,
        UiKey::uiClose,          UiKey::uiPrint,
        UiKey::uiSave,           UiKey::uiFont,
        UiKey::uiRestore,        UiKey::uiReportCaption,
    };
    const MessageKey results[] = {
        MessageKey::msgEqual,           MessageKey::msgNotFoundIn2nd,
        MessageKey::msgErrorReading1st, MessageKey::msgDifferentContents,
        MessageKey::msgFirstTruncated,  MessageKey::msgSecondTruncated,
        MessageKey::msgEqualMaybe,      MessageKey::msgDifferentSize,
    };
    for (int id = kEnglish; id <= kSpanish; ++id) {
        const auto language = static_cast<LanguageId>(id);
        const std::string html = readHelp(fileName(language));
        for (const UiKey key : controls) {
            const std::string text(*languageText(language, key));
            EXPECT_NE(html.find(text), std::string::npos) << fileName(language) << ": " << text;
        }
        for (const MessageKey key : results) {
            const std::string text(*languageText(language, key));
            EXPECT_NE(html.find(text), std::string::npos) << fileName(language) << ": " << text;
        }
    }
}

} // namespace
} // namespace quorvel
