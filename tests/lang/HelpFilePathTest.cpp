#include "lang/HelpFilePath.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include <sys/stat.h>

namespace quorvel {
namespace {

namespace fs = std::filesystem;

class HelpFilePathTest : public ::testing::Test {
protected:
    HelpFilePathTest() {
        std::string pattern = (fs::temp_directory_path() / "quorvel-help-XXXXXX").string();
        dir_ = ::mkdtemp(pattern.data());
    }
    ~HelpFilePathTest() override { fs::remove_all(dir_); }

    void touch(const std::string& name) const { std::ofstream(dir_ + "/" + name) << "<html>"; }

    std::string dir_;
};

TEST_F(HelpFilePathTest, EnglishIsTakenWithoutLooking) {
    EXPECT_EQ(helpFilePath("/no/such/place", kEnglish), "/no/such/place/Help_eng.html");
    EXPECT_EQ(helpFilePath(dir_, kEnglish), dir_ + "/Help_eng.html");
}

TEST_F(HelpFilePathTest, AnotherLanguageTakesItsOwnFileOnlyWhenItIsThere) {
    touch("Help_deu.html");
    touch("Help_dk.html");
    EXPECT_EQ(helpFilePath(dir_, kGerman), dir_ + "/Help_deu.html");
    EXPECT_EQ(helpFilePath(dir_, kDanish), dir_ + "/Help_dk.html");
    for (const LanguageId id : {kItalian, kDutch, kSpanish}) {
        EXPECT_EQ(helpFilePath(dir_, id), dir_ + "/Help_eng.html") << int{id};
    }
}

TEST_F(HelpFilePathTest, ADirectoryOrAFifoOfThatNameIsNoHelpFile) {
    fs::create_directory(dir_ + "/Help_ita.html");
    ASSERT_EQ(::mkfifo((dir_ + "/Help_esp.html").c_str(), 0600), 0);
    EXPECT_EQ(helpFilePath(dir_, kItalian), dir_ + "/Help_eng.html");
    EXPECT_EQ(helpFilePath(dir_, kSpanish), dir_ + "/Help_eng.html");
}

TEST_F(HelpFilePathTest, TheRootGivesASingleSlash) {
    EXPECT_EQ(helpFilePath("", kEnglish), "/Help_eng.html");
    EXPECT_EQ(helpFilePath("", kDutch), "/Help_eng.html");
}

TEST_F(HelpFilePathTest, IdsThatAreNoLanguageGiveNoPath) {
    for (const int id : {0, 7, 9, 127, -1, -128}) {
        EXPECT_FALSE(helpFilePath(dir_, static_cast<LanguageId>(id))) << id;
    }
}

TEST_F(HelpFilePathTest, CandidatesAreThePathThenItsNameInTheInstalledFolder) {
    using Paths = std::vector<std::string>;
    EXPECT_EQ(helpFileCandidates("/work/Help_deu.html", "/opt/q/share/quorvel/help"),
              (Paths{"/work/Help_deu.html", "/opt/q/share/quorvel/help/Help_deu.html"}));
    EXPECT_EQ(helpFileCandidates("/work/Help_deu.html", "/inst/"),
              (Paths{"/work/Help_deu.html", "/inst/Help_deu.html"}));
    EXPECT_EQ(helpFileCandidates("Help_eng.html", "/inst"),
              (Paths{"Help_eng.html", "/inst/Help_eng.html"}));
    EXPECT_EQ(helpFileCandidates("/work/Help_deu.html", ""), (Paths{"/work/Help_deu.html"}));
    EXPECT_EQ(helpFileCandidates("/work/", "/inst"), (Paths{"/work/"}));
    EXPECT_EQ(helpFileCandidates("/work/..", "/inst"), (Paths{"/work/.."}));
    EXPECT_EQ(helpFileCandidates("/inst/Help_eng.html", "/inst"), (Paths{"/inst/Help_eng.html"}));
}

TEST_F(HelpFilePathTest, TheFirstRegularFileIsFound) {
    fs::create_directory(dir_ + "/a");
    fs::create_directory(dir_ + "/b");
    fs::create_directory(dir_ + "/a/Help_eng.html");
    std::ofstream(dir_ + "/b/Help_eng.html") << "x";
    EXPECT_EQ(findHelpFile(helpFileCandidates(dir_ + "/a/Help_eng.html", dir_ + "/b")),
              dir_ + "/b/Help_eng.html");
    EXPECT_EQ(findHelpFile(helpFileCandidates(dir_ + "/b/Help_eng.html", dir_ + "/a")),
              dir_ + "/b/Help_eng.html");
    EXPECT_FALSE(findHelpFile(helpFileCandidates(dir_ + "/a/Help_eng.html", dir_ + "/a")));
    EXPECT_FALSE(findHelpFile({""}));
}

} // namespace
} // namespace quorvel
