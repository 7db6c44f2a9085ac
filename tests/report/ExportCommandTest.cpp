#include "support/TempTree.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <vector>

namespace quorvel {
namespace {

struct Outcome {
    int status = -1;
    std::string out;
    std::string err;
};

// Runs quorvel-compare in `scratch` under the "C" locale, standard output and error into files.
Outcome runCompare(const test::TempTree& scratch, std::vector<std::string> args) {
    args.insert(args.begin(), QUORVEL_COMPARE_BIN);
    std::vector<char*> argv;
    for (auto& arg : args) {
        argv.push_back(arg.data());
    }
    argv.push_back(nullptr);
    char locale[] = "LC_ALL=C";
    char* envp[] = {locale, nullptr};

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, scratch.path("stdout").c_str(),
                                     O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addopen(&actions, 2, scratch.path("stderr").c_str(),
                                     O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addchdir_np(&actions, scratch.root().c_str());
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), envp);
    posix_spawn_file_actions_destroy(&actions);
    Outcome outcome;
    if (spawned != 0) {
        ADD_FAILURE() << "cannot start " << argv[0];
        return outcome;
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    outcome.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    outcome.out = scratch.read("stdout");
    outcome.err = scratch.read("stderr");
    return outcome;
}

std::string withCrLf(const std::string& text) {
    std::string converted;
    for (const char c : text) {
        converted += c == '\n' ? std::string("\r\n") : std::string(1, c);
    }
    return converted;
}

class ExportCommand : public ::testing::Test {
protected:
    void SetUp() override {
        scratch.write("left/a.txt", "same");
        scratch.write("left/b&c.txt", "one");
        scratch.write("left/sub/d.txt", "left");
        scratch.write("right/a.txt", "same");
        scratch.write("right/b&c.txt", "two");
        scratch.write("right/sub/d.txt", "right");
        scratch.write("out/.keep", "");
    }
    test::TempTree scratch;
};

TEST_F(ExportCommand, TextAndHtmlHoldTheRunsReport) {
    const auto run = runCompare(
        scratch, {"--all", "--text", "out/r.txt", "--html", "out/r.html", "left", "right"});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "");
    EXPECT_NE(run.out.find("b&c.txt"), std::string::npos);
    EXPECT_EQ(scratch.read("out/r.txt"), withCrLf(run.out));

    const std::string page = scratch.read("out/r.html");
    EXPECT_EQ(page.rfind("<html>\r\n<head><meta charset=\"utf-8\"><title>Quorvel - comparison "
                         "report</title></head>\r\n<body>\r\n<h3 align=\"center\">Comparison of "
                         "directory ",
                         0),
              0u)
        << page;
    EXPECT_NE(page.find("<font color=\"#FF0000\"><b>b&amp;c.txt: different contents!</b></font>"
                        "<br>\r\n"),
              std::string::npos)
        << page;
    EXPECT_NE(page.find("<p><u>SUBDIR: sub</u><br>\r\n"), std::string::npos) << page;
    EXPECT_TRUE(page.ends_with("</p>\r\n</body>\r\n</html>"));
}

TEST_F(ExportCommand, QuietStillExportsAndTheTitleFollowsTheLanguage) {
    const auto run =
        runCompare(scratch, {"--quiet", "--lang", "ita", "--html", "out/r.html", "left", "right"});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_NE(scratch.read("out/r.html").find("<title>Quorvel - rapporto confronto</title>"),
              std::string::npos);
}

TEST_F(ExportCommand, WriterFailureIsToldAfterTheOtherOutputsAndExitsWithTwo) {
    const auto run =
        runCompare(scratch, {"--text", "missing/r.txt", "--html", "out/r.html", "left", "left"});
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.err,
              "quorvel-compare: cannot write 'missing/r.txt': No such file or directory\n");
    EXPECT_NE(run.out.find("Comparison terminated."), std::string::npos);
    EXPECT_TRUE(scratch.read("out/r.html").ends_with("</html>"));

    const auto both =
        runCompare(scratch, {"--quiet", "--text", "out", "--html", "/dev/full", "left", "left"});
    EXPECT_EQ(both.status, 2);
    EXPECT_EQ(both.err, "quorvel-compare: cannot write 'out': Is a directory\n"
                        "quorvel-compare: cannot write '/dev/full': Operation not supported\n");
}

} // namespace
} // namespace quorvel
