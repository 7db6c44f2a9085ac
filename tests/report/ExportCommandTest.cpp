#include "support/Companion.h"
#include "support/TempTree.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace quorvel {
namespace {

test::ChildResult runCompare(const test::TempTree& scratch, const std::vector<std::string>& args) {
    return test::runCompanion(args, scratch.root());
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
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err, "");
    EXPECT_NE(run.out.find("b&c.txt"), std::string::npos);
    EXPECT_EQ(scratch.read("out/r.txt"), test::withCrLf(run.out));

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
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_NE(scratch.read("out/r.html").find("<title>Quorvel - rapporto confronto</title>"),
              std::string::npos);
}

TEST_F(ExportCommand, WriterFailureIsToldAfterTheOtherOutputsAndExitsWithTwo) {
    // Targets a look can tell unusable are named before anything is compared.
    const auto early =
        runCompare(scratch, {"--text", "missing/r.txt", "--html", "out", "left", "left"});
    EXPECT_EQ(early.exitCode, 2);
    EXPECT_EQ(early.err,
              "quorvel-compare: cannot write 'missing/r.txt': No such file or directory\n"
              "quorvel-compare: cannot write 'out': Is a directory\n");
    EXPECT_EQ(early.out, "");

    // One that fails only as it is written is told once the others are written.
    const auto late =
        runCompare(scratch, {"--text", "out/r.txt", "--html", "/dev/full", "left", "left"});
    EXPECT_EQ(late.exitCode, 2);
    EXPECT_EQ(late.err, "quorvel-compare: cannot write '/dev/full': Operation not supported\n");
    EXPECT_NE(late.out.find("Comparison terminated."), std::string::npos);
    EXPECT_TRUE(scratch.read("out/r.txt").ends_with("\r\n"));
}

} // namespace
} // namespace quorvel
