// Paths longer than the system takes in one call, and trees a thousand levels deep.

#include "support/Companion.h"
#include "support/EngineFixture.h"
#include "support/TempTree.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

namespace quorvel::test {
namespace {

// `levels` directories named `component`, one in the other below `root`, with the named files
// at the bottom. Works below any depth, as no call takes more than one name.
void makeChain(const std::string& root, int levels, const std::string& component,
               const std::vector<std::pair<std::string, std::string>>& filesAtTheBottom) {
    int dir = ::open(root.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
    ASSERT_GE(dir, 0);
    for (int i = 0; i < levels; ++i) {
        ASSERT_EQ(::mkdirat(dir, component.c_str(), 0755), 0);
        const int next = ::openat(dir, component.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
        ::close(dir);
        ASSERT_GE(next, 0);
        dir = next;
    }
    for (const auto& [name, content] : filesAtTheBottom) {
        const int fd = ::openat(dir, name.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0644);
        ASSERT_GE(fd, 0);
        ASSERT_EQ(::write(fd, content.data(), content.size()),
                  static_cast<ssize_t>(content.size()));
        ::close(fd);
    }
    ::close(dir);
}

std::string chainPath(int levels, const std::string& component) {
    std::string path = component;
    for (int i = 1; i < levels; ++i) {
        path += "/" + component;
    }
    return path;
}

class DeepPathTest : public ::testing::Test {
protected:
    DeepPathTest() {
        tree.mkdir("L");
        tree.mkdir("R");
    }

    std::string report(const std::string& relative, std::vector<std::string> pairLines,
                       int compared, const std::string& size, int equal) {
        pairLines.insert(pairLines.begin(), {kBlockRule, "SUBDIR: " + relative, kBlockRule});
        return directoryReportText(
            tree.path("L"), tree.path("R"),
            expectedBody(pairLines, compared, size, equal, compared - equal));
    }

    TempTree tree;
};

TEST_F(DeepPathTest, PathsLongerThanPathMaxAreComparedOnBothSides) {
    const std::string component(200, 'p');
    makeChain(tree.path("L"), 30, component,
              {{"differs.txt", "left"}, {"equal.txt", "same"}, {"only-left.txt", "x"}});
    makeChain(tree.path("R"), 30, component, {{"differs.txt", "righ"}, {"equal.txt", "same"}});
    const auto relative = chainPath(30, component);
    ASSERT_GT(tree.path("L/" + relative).size(), 4096u);
    const auto r = runCompanion({"--all", "L", "R"}, tree.root());
    EXPECT_EQ(r.exitCode, 1) << r.err;
    EXPECT_EQ(r.out, report(relative,
                            {">>>> differs.txt: different contents!", "equal.txt: equal.",
                             ">>>> only-left.txt: not found in 2nd directory!"},
                            3, "0.01 KB", 1));
}

TEST_F(DeepPathTest, AThousandLevelsOnBothSides) {
    makeChain(tree.path("L"), 1000, "d", {{"bottom.txt", "same"}, {"last.txt", "1"}});
    makeChain(tree.path("R"), 1000, "d", {{"bottom.txt", "same"}, {"last.txt", "2"}});
    const auto r = runCompanion({"L", "R"}, tree.root());
    EXPECT_EQ(r.exitCode, 1) << r.err;
    EXPECT_EQ(r.out, report(chainPath(1000, "d"), {">>>> last.txt: different contents!"}, 2,
                            "0.00 KB", 1));
}

TEST_F(DeepPathTest, ALongPathAsAnArgumentIsComparedOrRefusedAloud) {
    const std::string component(200, 'q');
    makeChain(tree.path("L"), 30, component, {{"f", "1"}});
    const auto file = "L/" + chainPath(30, component) + "/f";
    const auto r = runCompanion({file, file}, tree.root());
    if (r.exitCode == 2) {
        EXPECT_EQ(r.err.rfind("quorvel-compare: ", 0), 0u) << r.err;
        EXPECT_EQ(r.out, "");
    } else {
        EXPECT_EQ(r.exitCode, 0) << r.err;
        EXPECT_NE(r.out.find("\nf: equal.\n"), std::string::npos) << r.out;
    }
}

class LongPathFilesTest : public EngineFixture {};

TEST_F(LongPathFilesTest, TheFileModesTakePathsLongerThanPathMax) {
    const std::string component(200, 'p');
    makeChain(tree.path("L"), 30, component, {{"a.txt", "same"}, {"b.txt", "left"}});
    makeChain(tree.path("R"), 30, component, {{"a.txt", "same"}, {"b.txt", "righ"}});
    const auto left = tree.path("L/" + chainPath(30, component));
    const auto right = tree.path("R/" + chainPath(30, component));
    EXPECT_EQ(runFiles(left + "/b.txt", right + "/b.txt"),
              expectedBody({">>>> b.txt: different contents!"}, 1, "0.00 KB", 0, 1));
    request.mode = CompareMode::FilesWithDirectory;
    request.left = left;
    request.right = right;
    request.leftSelection = {"b.txt", "a.txt", "c.txt"};
    EXPECT_EQ(runBody(), expectedBody({">>>> b.txt: different contents!", "a.txt: equal.",
                                       ">>>> c.txt: error reading 1st file!"},
                                      3, "0.01 KB", 1, 2));
    request.options.fast = true;
    EXPECT_EQ(runBody(), expectedBody({"b.txt: equal (maybe...).", "a.txt: equal (maybe...).",
                                       ">>>> c.txt: error reading 1st file!"},
                                      3, "0.01 KB", 2, 1, true));
}

} // namespace
} // namespace quorvel::test

namespace quorvel::test {
namespace {

// The walk keeps its levels on a stack of its own: a deep tree needs no deep call stack.
TEST_F(DeepPathTest, ADeepTreeNeedsNoDeepCallStack) {
    makeChain(tree.path("L"), 3000, "d", {{"bottom.txt", "1"}});
    const auto r = runChild(
        {"/bin/sh", "-c", "ulimit -s 512 && exec \"$0\" \"$@\"", QUORVEL_COMPARE_BIN, "L", "R"},
        tree.root());
    EXPECT_EQ(r.exitCode, 1) << r.err;
    EXPECT_NE(r.out.find(">>>> bottom.txt: not found in 2nd directory!\n"), std::string::npos);
}

} // namespace
} // namespace quorvel::test
