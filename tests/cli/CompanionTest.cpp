#include "support/Companion.h"
#include "support/ChildProcess.h"
#include "support/TempTree.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <clocale>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <sys/ioctl.h>
#include <thread>
#include <unistd.h>

namespace quorvel {
namespace {

using test::ChildResult;
using test::runChild;
using test::waitChild;

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

// Unseen progress needs no total, so its pass is left out: the report must not tell.
TEST_F(CompanionTest, TheReportIsTheSameWhetherProgressIsShownOrNot) {
    for (const auto* mode : {"--all", "--fast"}) {
        SCOPED_TRACE(mode);
        const auto shown = run({mode, "--progress", "L", "R"});
        const auto unseen = run({mode, "--no-progress", "L", "R"});
        EXPECT_EQ(unseen.out, shown.out);
        EXPECT_NE(unseen.out.find("Compared 2 file(s);  0.01 KB"), std::string::npos) << unseen.out;
        EXPECT_EQ(unseen.exitCode, shown.exitCode);
    }
}

TEST_F(CompanionTest, DotDotAfterALinkComparesWhatTheSystemResolves) {
    tree.write("work/left/a.txt", "work");
    tree.write("real/left/a.txt", "right");
    tree.mkdir("real/sub");
    tree.write("right/a.txt", "right");
    tree.symlink("../real/sub", "work/lnk");
    const auto real = std::filesystem::canonical(tree.path("real/left")).string();
    const auto work = tree.root() + "/work";
    auto r = test::runCompanion({"--all", "lnk/../left", "../right"}, work);
    EXPECT_EQ(r.exitCode, 0) << r.out;
    EXPECT_EQ(r.out.rfind("Comparison of directory " + real + "\n", 0), 0u) << r.out;
    r = test::runCompanion({"lnk/../left/a.txt", "../right/a.txt"}, work);
    EXPECT_EQ(r.exitCode, 0) << r.out;
    EXPECT_EQ(r.out.rfind("Comparison of file " + real + "/a.txt\n", 0), 0u) << r.out;
}

TEST_F(CompanionTest, ADeletedWorkingDirectoryIsTroubleWhenARelativePathNeedsIt) {
    tree.mkdir("gone");
    const std::string inGone = "cd gone && rmdir ../gone && exec \"$0\" \"$@\"";
    auto r = runChild(
        {"/bin/sh", "-c", inGone, QUORVEL_COMPARE_BIN, "--no-recurse", ".", tree.path("R")},
        tree.root());
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_EQ(r.err,
              "quorvel-compare: cannot get the current directory: No such file or directory\n");
    EXPECT_EQ(r.out, "");
    tree.mkdir("gone");
    r = runChild({"/bin/sh", "-c", inGone, QUORVEL_COMPARE_BIN, tree.path("L/same.txt"),
                  tree.path("R/same.txt")},
                 tree.root());
    EXPECT_EQ(r.exitCode, 0) << "absolute paths need no current directory: " << r.err;
}

TEST_F(CompanionTest, WhatCouldNotBeReadIsNamedOnStandardErrorAndIsTrouble) {
    tree.write("L/only.txt", "x");
    auto r = run({"L", "R"});
    EXPECT_EQ(r.exitCode, 1) << "a file missing on the right is only a difference";
    EXPECT_EQ(r.err, "");

    tree.symlink("nowhere", "L/broken.txt");
    tree.write("L/loop.txt", "x");
    tree.symlink("loop.txt", "R/loop.txt");
    r = run({"L", "R"});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_EQ(r.err, "quorvel-compare: " + tree.path("L/broken.txt") +
                         ": No such file or directory\n"
                         "quorvel-compare: " +
                         tree.path("R/loop.txt") + ": Too many levels of symbolic links\n");
    EXPECT_NE(r.out.find("\n>>>> broken.txt: error reading 1st file!\n"
                         ">>>> loop.txt: not found in 2nd directory!\n"
                         ">>>> only.txt: not found in 2nd directory!\n"),
              std::string::npos)
        << r.out;
}

TEST_F(CompanionTest, BothListsWhatIsOnlyOnTheRightInNameOrderWhateverTheDirectorysOrder) {
    for (const char* name : {"R/zeta.txt", "R/Alpha.txt", "R/mid.txt", "R/mid/x"}) {
        tree.write(name, "1");
    }
    const auto r = run({"--both", "L", "R"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.out.find("\n\n>>>> Alpha.txt: not found in 1st directory!\n"
                         ">>>> mid.txt: not found in 1st directory!\n"
                         ">>>> zeta.txt: not found in 1st directory!\n" +
                         test::kBlockRule + "\nSUBDIR: mid\n" + test::kBlockRule +
                         "\n>>>> x: not found in 1st directory!\n" + test::kBlockRule +
                         "\nSUBDIR: sub\n"),
              std::string::npos)
        << r.out;
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
                                               {"--both", "L/same.txt", "R/same.txt"},
                                               {"--exclude", "x", "L/same.txt", "R"},
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
    // Long enough to be interrupted.
    tree.sparse("L/big", std::int64_t{16} << 30);
    tree.sparse("R/big", std::int64_t{16} << 30);
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

// The companion with its standard output into a pipe that the test reads when it chooses.
class CompanionOutputTest : public CompanionTest {
protected:
    CompanionOutputTest() {
        if (::pipe2(out_, O_CLOEXEC) != 0 || (errFd_ = ::open("/dev/null", O_WRONLY)) < 0) {
            throw std::runtime_error("pipe failed");
        }
    }
    ~CompanionOutputTest() override {
        for (int fd : {out_[0], out_[1], errFd_}) {
            if (fd >= 0) {
                ::close(fd);
            }
        }
    }
    int start(const std::vector<std::string>& args) {
        std::vector<std::string> argv{QUORVEL_COMPARE_BIN};
        argv.insert(argv.end(), args.begin(), args.end());
        const int pid = test::startChild(argv, tree.root(), out_[1], errFd_);
        ::close(out_[1]);
        out_[1] = -1;
        return pid;
    }
    std::string readAll() {
        std::string text;
        char buffer[65536];
        for (ssize_t n; (n = ::read(out_[0], buffer, sizeof buffer)) != 0;) {
            if (n > 0) {
                text.append(buffer, static_cast<std::size_t>(n));
            } else if (errno != EINTR) {
                break;
            }
        }
        return text;
    }
    void closeReadEnd() {
        ::close(out_[0]);
        out_[0] = -1;
    }
    // Whether the child waits in a write to the full pipe.
    bool waitsOnAFullPipe(int pid) const {
        int queued = 0;
        if (::ioctl(out_[0], FIONREAD, &queued) != 0 || queued < ::fcntl(out_[0], F_GETPIPE_SZ)) {
            return false;
        }
        std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
        std::string pidText;
        std::string command;
        std::string state;
        stat >> pidText >> command >> state;
        return state == "S";
    }
    // Whether a signal sent to the child has not been handled yet.
    static bool signalPending(int pid) {
        std::ifstream status("/proc/" + std::to_string(pid) + "/status");
        bool pending = false;
        for (std::string line; std::getline(status, line);) {
            if (line.starts_with("SigPnd:") || line.starts_with("ShdPnd:")) {
                pending = pending || std::stoull(line.substr(7), nullptr, 16) != 0;
            }
        }
        return pending;
    }

    int out_[2] = {-1, -1};
    int errFd_ = -1;
};

// The report goes out as the run makes it: a reader that does not keep up holds the run, and an
// interrupt then cuts the run short without losing a line, written or half written.
TEST_F(CompanionOutputTest, AnInterruptWhileTheReportWaitsForItsReaderLosesNoLine) {
    // A report far longer than the pipe holds, so the companion has to wait to write it.
    const std::string longName(200, 'n');
    std::vector<std::string> pairLines;
    for (int i = 0; i < 1000; ++i) {
        const auto name = longName + std::to_string(1000 + i);
        tree.write("L/" + name, "x");
        tree.write("R/" + name, "x");
        pairLines.push_back(name + ": equal.");
    }
    const int pid = start({"--all", "--no-progress", "--no-recurse", "L", "R"});
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (!waitsOnAFullPipe(pid) && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::yield();
    }
    ::kill(pid, SIGINT);
    // Reading before the interrupt is handled would let the waiting write go on unharmed.
    while (signalPending(pid) && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::yield();
    }
    const auto text = readAll();
    EXPECT_EQ(waitChild(pid), 130);
    const auto heading = test::directoryReportText(tree.path("L"), tree.path("R"), {""});
    ASSERT_EQ(text.rfind(heading, 0), 0u) << text.substr(0, 300);
    std::vector<std::string> lines;
    std::istringstream rest(text.substr(heading.size()));
    for (std::string line; std::getline(rest, line);) {
        lines.push_back(line);
    }
    ASSERT_GE(lines.size(), 4u);
    const std::size_t pairs = lines.size() - 4;
    ASSERT_LT(pairs, pairLines.size()) << "the run was cut short";
    EXPECT_TRUE(
        std::equal(lines.begin(), lines.begin() + static_cast<long>(pairs), pairLines.begin()));
    EXPECT_EQ(lines[pairs], "");
    EXPECT_EQ(lines[pairs + 1], "Comparison interrupted by user!");
    EXPECT_EQ(lines[pairs + 2].rfind("Compared " + std::to_string(pairs) + " file(s)", 0), 0u);
    EXPECT_TRUE(text.ends_with("\n"));
}

TEST_F(CompanionOutputTest, AReaderThatStopsEarlyStillGetsTheExportsAndTheRunsStatus) {
    closeReadEnd();
    const int pid = start({"--text", "r.txt", "--html", "r.html", "L", "R"});
    EXPECT_EQ(waitChild(pid), 1) << "the status of the run, not of the closed output";
    EXPECT_NE(tree.read("r.txt").find(">>>> diff.txt: different contents!\r\n"), std::string::npos);
    EXPECT_NE(tree.read("r.html").find("diff.txt: different contents!"), std::string::npos);
}

} // namespace
} // namespace quorvel
