#include "support/EngineFixture.h"

#include <algorithm>

namespace quorvel {
namespace {

using V = std::vector<std::string>;

using test::expectedBody;
const std::string& kRule = test::kBlockRule;

class BothSidesTest : public test::EngineFixture {
protected:
    BothSidesTest() {
        request.options.onlyDifferent = true;
        request.options.bothSides = true;
    }
};

TEST_F(BothSidesTest, RightOnlyFilesAndDirectoriesComeInNameOrderAfterTheirDirectorysLines) {
    for (const char* same : {"a", "sub/t"}) {
        tree.write(std::string("L/") + same, "1");
    }
    tree.write("R/a", "1");
    tree.write("L/case.txt", "1");
    tree.write("R/Case.txt", "1"); // not a namesake: other bytes
    tree.write("R/r.txt", "1");    // under two patterns, listed once
    tree.write("L/kind/k", "1");   // a directory on the left, a file on the right
    tree.write("R/kind", "1");
    tree.write("R/onlyR/x", "1");
    tree.write("R/onlyR/deep/y", "1");
    tree.write("R/sub/s", "1");
    tree.symlink("nowhere", "R/dangling");
    tree.fifo("R/pipe");
    tree.fifo("L/fifo-on-left");
    tree.write("R/fifo-on-left", "1"); // no file to compare with on the left
    request.options.filter = "*;r*";
    run.run();
    EXPECT_EQ(body(), expectedBody({">>>> case.txt: not found in 2nd directory!",
                                    ">>>> Case.txt: not found in 1st directory!",
                                    ">>>> fifo-on-left: not found in 1st directory!",
                                    ">>>> r.txt: not found in 1st directory!",
                                    kRule,
                                    "SUBDIR: kind",
                                    kRule,
                                    ">>>> k: not found in 2nd directory!",
                                    kRule,
                                    "SUBDIR: onlyR",
                                    kRule,
                                    ">>>> x: not found in 1st directory!",
                                    kRule,
                                    "SUBDIR: onlyR/deep",
                                    kRule,
                                    ">>>> y: not found in 1st directory!",
                                    kRule,
                                    "SUBDIR: sub",
                                    kRule,
                                    ">>>> t: not found in 2nd directory!",
                                    ">>>> s: not found in 1st directory!"},
                                   10, "0.00 KB", 1, 9));
    EXPECT_EQ(run.state().counters.bytesCompared, 4) << "nothing of a right-only file is read";
}

TEST_F(BothSidesTest, ExclusionsLeaveNamesOutOnBothSidesAndNeverOpenAnExcludedDirectory) {
    tree.write("L/a.txt", "1");
    tree.write("R/a.txt", "2");
    tree.write("L/keep.bak", "12345");
    tree.write("R/gone.bak", "1");
    tree.write("L/.git/c", "1");
    tree.write("R/.git/c", "2");
    tree.write("R/node/n", "1");
    tree.write("L/sub/x.bak", "1");
    tree.write("L/sub/y", "1");
    tree.write("R/sub/y", "1");
    request.options.exclusions = ".git;*.bak;node";
    V looked;
    files.onDirectoryLook = [&](const std::string& path, DirectoryLook&) {
        looked.push_back(path);
    };
    run.run();
    EXPECT_EQ(lines(), (V{"Comparison of directory " + tree.path("L"),
                          "with directory " + tree.path("R"), "(exclude:  .git;*.bak;node)", "",
                          ">>>> a.txt: different contents!", "", "Comparison terminated.",
                          "Compared 2 file(s);  0.00 KB", "Equal: 1;   different: 1"}));
    EXPECT_EQ(run.state().progress.grandTotal, 2) << "excluded files are not summed";
    for (const auto& path : looked) {
        EXPECT_EQ(path.find(".git"), std::string::npos) << path;
        EXPECT_EQ(path.find("node"), std::string::npos) << path;
    }
    for (const auto& path : files.listedPaths) {
        EXPECT_EQ(path.find(".git"), std::string::npos) << path;
    }
}

TEST_F(BothSidesTest, ARightOnlyDirectoryThatCannotBeReadIsTroubleAndADifference) {
    tree.write("R/locked/x", "1");
    files.unreadableDirectories.insert(tree.path("R/locked"));
    run.run();
    EXPECT_EQ(body(), expectedBody({kRule, "SUBDIR: locked", kRule,
                                    ">>>> locked/: not found in 1st directory!"},
                                   1, "0.00 KB", 0, 1));
    EXPECT_EQ(observer.readProblems,
              (std::vector<std::pair<std::string, int>>{{tree.path("R/locked"), EACCES}}));
}

} // namespace
} // namespace quorvel
