// What the user running the comparison may not read is a pair result or a difference; the run
// goes on and never passes it over, and the companion names each such path on standard error and
// calls it trouble. Root reads everything, so the companion runs as nobody.

#include "support/Companion.h"
#include "support/TempTree.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace quorvel::test {
namespace {

class UnreadableTest : public ::testing::Test {
protected:
    void SetUp() override {
        tree.write("L/a", "same");
        tree.write("R/a", "same");
        tree.write("L/b", "same");
        tree.write("R/b", "same");
        tree.write("L/c", "same");
        tree.write("R/c", "same");
        tree.write("L/sub/d", "same");
        tree.write("R/sub/d", "same");
        tree.write("L/sub/e", "same");
        tree.write("R/sub/e", "same");
        openToEveryone(tree.root());
        if (const auto why = noUnprivilegedRun(tree.root())) {
            GTEST_SKIP() << "no run without privileges: " << *why;
        }
    }

    void setMode(const std::string& relative, mode_t mode) {
        ASSERT_EQ(::chmod(tree.path(relative).c_str(), mode), 0) << relative;
    }

    // The companion's whole output for a directory run listing every pair.
    std::string report(const std::vector<std::string>& pairLines, int compared,
                       const std::string& size, int equal) {
        return directoryReportText(
            tree.path("L"), tree.path("R"),
            expectedBody(pairLines, compared, size, equal, compared - equal));
    }

    // The companion's notes of paths it may not read, in order.
    std::string denied(const std::vector<std::string>& relatives) const {
        std::string notes;
        for (const auto& relative : relatives) {
            notes += "quorvel-compare: " + tree.path(relative) + ": Permission denied\n";
        }
        return notes;
    }

    ChildResult runAll() { return runCompanionUnprivileged({"--all", "L", "R"}, tree.root()); }

    TempTree tree;
};

TEST_F(UnreadableTest, UnreadableFilesOnEitherSideArePairResults) {
    setMode("L/a", 0);
    setMode("R/b", 0);
    setMode("L/sub/e", 0);
    auto r = runAll();
    EXPECT_EQ(r.exitCode, 2) << r.err;
    EXPECT_EQ(r.out,
              report({">>>> a: error reading 1st file!", ">>>> b: not found in 2nd directory!",
                      "c: equal.", kBlockRule, "SUBDIR: sub", kBlockRule, "d: equal.",
                      ">>>> e: error reading 1st file!"},
                     5, "0.02 KB", 2));
    EXPECT_EQ(r.err, denied({"L/a", "R/b", "L/sub/e"}));

    r = runCompanionUnprivileged({"L/a", "R/a"}, tree.root());
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_NE(r.out.find("\n>>>> a: error reading 1st file!\n"), std::string::npos) << r.out;
    EXPECT_EQ(r.err, denied({"L/a"}));
    r = runCompanionUnprivileged({"L/b", "R/b"}, tree.root());
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_NE(r.out.find("\n>>>> b: not found in 2nd directory!\n"), std::string::npos) << r.out;
    EXPECT_EQ(r.err, denied({"R/b"}));
}

TEST_F(UnreadableTest, AnUnreadableLeftDirectoryIsADifferenceNamedByItsPath) {
    setMode("L/sub", 0);
    auto r = runAll();
    EXPECT_EQ(r.exitCode, 2) << r.err;
    EXPECT_EQ(r.out, report({"a: equal.", "b: equal.", "c: equal.", kBlockRule, "SUBDIR: sub",
                             kBlockRule, ">>>> sub/: error reading 1st file!"},
                            4, "0.01 KB", 3));
    EXPECT_EQ(r.err, denied({"L/sub"}));

    setMode("L/sub", 0755);
    setMode("L", 0);
    r = runAll();
    EXPECT_EQ(r.exitCode, 2) << r.err;
    EXPECT_EQ(r.out, report({">>>> ./: error reading 1st file!"}, 1, "0.00 KB", 0));
    EXPECT_EQ(r.err, denied({"L"}));

    // Only the differences: the directory's line still shows, and the exit status says so.
    r = runCompanionUnprivileged({"L", "R"}, tree.root());
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_NE(r.out.find("\n>>>> ./: error reading 1st file!\n"), std::string::npos) << r.out;
}

TEST_F(UnreadableTest, AnUnreadableRightDirectoryLeavesItsNamesakesNotFound) {
    setMode("R/sub", 0);
    auto r = runAll();
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_EQ(r.out,
              report({"a: equal.", "b: equal.", "c: equal.", kBlockRule, "SUBDIR: sub", kBlockRule,
                      ">>>> d: not found in 2nd directory!", ">>>> e: not found in 2nd directory!"},
                     5, "0.02 KB", 3));
    EXPECT_EQ(r.err, denied({"R/sub/d", "R/sub/e"}));
    // Names that can be listed but not looked at are no better.
    setMode("R/sub", 0444);
    const auto listed = runAll();
    EXPECT_EQ(listed.out, r.out);
    EXPECT_EQ(listed.err, r.err);
}

// A directory that may be listed but not entered gives its names but nothing about them.
TEST_F(UnreadableTest, ALeftDirectoryThatCanBeListedButNotEnteredIsNoSuccess) {
    setMode("L/sub", 0444);
    auto r = runAll();
    EXPECT_EQ(r.exitCode, 2) << r.err;
    EXPECT_EQ(r.out,
              report({"a: equal.", "b: equal.", "c: equal.", kBlockRule, "SUBDIR: sub", kBlockRule,
                      ">>>> d: error reading 1st file!", ">>>> e: error reading 1st file!"},
                     5, "0.01 KB", 3));
    EXPECT_EQ(r.err, denied({"L/sub/d", "L/sub/e"}));

    setMode("L/sub", 0755);
    setMode("L", 0444);
    r = runAll();
    EXPECT_EQ(r.exitCode, 2) << r.err;
    EXPECT_EQ(r.out, report({">>>> a: error reading 1st file!", ">>>> b: error reading 1st file!",
                             ">>>> c: error reading 1st file!", kBlockRule, "SUBDIR: sub",
                             kBlockRule, ">>>> sub/: error reading 1st file!"},
                            4, "0.00 KB", 0));
    EXPECT_EQ(r.err, denied({"L/a", "L/b", "L/c", "L/sub"}));
}

} // namespace
} // namespace quorvel::test
