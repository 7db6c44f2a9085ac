#include "support/Companion.h"
#include "support/ChildProcess.h"
#include "support/TempTree.h"

#include <gtest/gtest.h>

#include <clocale>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <unistd.h>

namespace quorvel {
namespace {

using test::ChildResult;
using test::runChild;

class CompanionTest : public ::testing::Test {
protected:
    CompanionTest() {
        tree.write("L/same.txt", "same");
        tree.write("R/same.txt", "same");
        tree.write("L/sub/diff.txt", "one");
        tree.write("R/sub/diff.txt", "two");
    }

    ChildResult run(const std::vector<std::string>& args) {
        return test::runCompanion(args, tree.root());
    }

    test::TempTree tree;
};

TEST_F(CompanionTest, DirectoryRunPrintsTheReportAndExitsOneOnADifference) {
    const auto r = run({"--all", "--no-progress", "./L/../L//", "R"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.out,
              test::directoryReportText(
                  tree.path("L"), tree.path("R"),
                  test::expectedBody({"same.txt: equal.", test::kBlockRule, "SUBDIR: sub",
                                      test::kBlockRule, ">>>> diff.txt: different contents!"},
                                     2, "0.01 KB", 1, 1)));
    EXPECT_EQ(r.err, "");
}

TEST_F(CompanionTest, EqualFilesExitZeroAndQuietPrintsNothing) {
    const auto r = run({"-q", "L/same.txt", "R/same.txt"});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(run({"--fast", "L/sub/diff.txt", "R/sub/diff.txt"}).exitCode, 0);
}

TEST_F(CompanionTest, TroubleExitsTwoWithOneLine) {
    tree.symlink("nowhere", "dangling");
    tree.fifo("pipe");
    auto r = run({"nothere", "R"});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_EQ(r.err, "quorvel-compare: cannot access 'nothere': No such file or directory\n");
    EXPECT_EQ(r.out, "");
    r = run({"dangling", "R"});
    EXPECT_EQ(r.err, "quorvel-compare: cannot access 'dangling': No such file or directory\n");
    r = run({"L/same.txt", "pipe"});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_EQ(r.err, "quorvel-compare: 'pipe': not a regular file or directory\n");
    for (const auto& args :
         std::vector<std::vector<std::string>>{{"L", "R/same.txt"},
                                               {"L"},
                                               {"--bogus", "L", "R"},
                                               {"L/same.txt", "L/sub/diff.txt", "R"}}) {
        r = run(args);
        EXPECT_EQ(r.exitCode, 2);
        EXPECT_EQ(r.err.rfind("quorvel-compare: ", 0), 0u) << r.err;
        EXPECT_EQ(r.out, "");
    }
}

TEST_F(CompanionTest, FilesWithDirectoryInTheGivenOrderAndInGerman) {
    tree.write("L/extra.txt", "x");
    const auto r = run({"--lang", "deu", "L/same.txt", "L/extra.txt", "L/same.txt", "R"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.out, "Vergleich von Dateien aus " + tree.path("L") + "\n" +
                         "mit Dateien gleichen Namens aus " + tree.path("R") + "\n\n" +
                         "same.txt: gleich.\n"
                         ">>>> extra.txt: Im zweiten Verzeichnis nicht gefunden!\n"
                         "same.txt: gleich.\n\n"
                         "Vergleich beendet.\n"
                         "verglichen 3 Datei(en);  0.01 KB\n"
                         "gleich: 2;   unterschiedlich: 1\n");
}

TEST_F(CompanionTest, SizesUseTheDecimalSeparatorOfTheLocale) {
    const char* german = "de_DE.UTF-8";
    if (std::setlocale(LC_NUMERIC, german) == nullptr) {
        GTEST_SKIP() << german << " is not installed here";
    }
    std::setlocale(LC_NUMERIC, "C");
    ::setenv("LC_ALL", german, 1);
    const auto r = run({"L", "R"});
    ::unsetenv("LC_ALL");
    EXPECT_NE(r.out.find("Compared 2 file(s);  0,01 KB"), std::string::npos) << r.out;
}

TEST_F(CompanionTest, AnInterruptEndsTheRunWithItsReportAndStatus130) {
    // Sparse files take no disk space but keep the comparison busy long enough to be interrupted.
    for (const char* name : {"L/big", "R/big"}) {
        const int fd = ::open(tree.path(name).c_str(), O_CREAT | O_WRONLY, 0600);
        ASSERT_GE(fd, 0);
        ASSERT_EQ(::ftruncate(fd, off_t{16} << 30), 0);
        ::close(fd);
    }
    bool sent = false;
    const auto r = runChild({QUORVEL_COMPARE_BIN, "--progress", "--all", "L", "R"}, tree.root(),
                            [&](const std::string& err, int pid) {
                                // The first progress text means the run is under way.
                                if (!sent && err.find("big") != std::string::npos) {
                                    sent = true;
                                    ::kill(pid, SIGINT);
                                }
                            });
    ASSERT_TRUE(sent);
    EXPECT_EQ(r.exitCode, 130);
    EXPECT_NE(r.out.find("Comparison interrupted by user!\n"), std::string::npos) << r.out;
    EXPECT_EQ(r.out.find("big:"), std::string::npos) << "the interrupted pair has no line";
}

} // namespace
} // namespace quorvel
