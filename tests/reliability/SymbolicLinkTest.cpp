// Link loops end the walk without entering a directory twice; dangling links are pair results.

#include "support/Companion.h"
#include "support/EngineFixture.h"

#include <algorithm>
#include <set>

namespace quorvel::test {
namespace {

using V = std::vector<std::string>;

class SymbolicLinkTest : public EngineFixture {
protected:
    // The same small tree on one side, with links back up at two depths.
    void makeSide(const std::string& side, bool withLoops) {
        tree.writeSized(side + "/a", 10);
        tree.writeSized(side + "/sub/b", 20);
        tree.writeSized(side + "/sub/deeper/c", 30);
        if (withLoops) {
            tree.symlink("..", side + "/sub/up");
            tree.symlink(tree.path(side), side + "/sub/deeper/top");
            tree.symlink(".", side + "/self");
        }
    }

    std::set<std::string> distinctListings() const {
        return {files.listedPaths.begin(), files.listedPaths.end()};
    }

    void expectTheTreeOnce() {
        EXPECT_EQ(runBody(),
                  expectedBody({"a: equal.", kBlockRule, "SUBDIR: sub", kBlockRule, "b: equal.",
                                kBlockRule, "SUBDIR: sub/deeper", kBlockRule, "c: equal."},
                               3, "0.06 KB", 3, 0));
        EXPECT_EQ(run.state().progress.grandTotal, 60);
        EXPECT_EQ(run.state().counters.bytesCompared, run.state().progress.grandTotal);
        expectProgressWithinBounds();
    }
};

TEST_F(SymbolicLinkTest, ALoopOnTheLeftIsNotEnteredAgain) {
    makeSide("L", true);
    makeSide("R", false);
    expectTheTreeOnce();
    EXPECT_EQ(distinctListings(), (std::set<std::string>{tree.path("L"), tree.path("L/sub"),
                                                         tree.path("L/sub/deeper")}));
    EXPECT_LE(files.counts.listings, 6) << "once a pass at most";
}

TEST_F(SymbolicLinkTest, LoopsOnBothSidesAreNotEnteredAgain) {
    makeSide("L", true);
    makeSide("R", true);
    expectTheTreeOnce();
    EXPECT_EQ(distinctListings(), (std::set<std::string>{tree.path("L"), tree.path("L/sub"),
                                                         tree.path("L/sub/deeper")}));
}

TEST_F(SymbolicLinkTest, ALoopOnTheRightEndsWithTheLeftTree) {
    // The left has real directories where the right's links lead back up.
    makeSide("L", false);
    makeSide("R", true);
    tree.writeSized("L/sub/up/a", 10);
    tree.writeSized("L/sub/up/sub/b", 21);
    tree.writeSized("L/self/a", 10);
    const auto body = runBody();
    EXPECT_EQ(
        body,
        expectedBody(
            {"a: equal.",          kBlockRule,           "SUBDIR: self",
             kBlockRule,           "a: equal.",          kBlockRule,
             "SUBDIR: sub",        kBlockRule,           "b: equal.",
             kBlockRule,           "SUBDIR: sub/deeper", kBlockRule,
             "c: equal.",          kBlockRule,           "SUBDIR: sub/up",
             kBlockRule,           "a: equal.",          kBlockRule,
             "SUBDIR: sub/up/sub", kBlockRule,           ">>>> b: 2nd file appears truncated!"},
            6, "0.10 KB", 5, 1));
    EXPECT_EQ(run.state().counters.bytesCompared, run.state().progress.grandTotal);
    expectProgressWithinBounds();
}

TEST_F(SymbolicLinkTest, ADanglingLinkIsAnErrorOnTheLeftAndNotFoundOnTheRight) {
    tree.symlink("nowhere", "L/left");
    tree.write("R/left", "x");
    tree.write("L/right", "x");
    tree.symlink("nowhere", "R/right");
    tree.symlink("loop", "L/loop"); // a link to itself leads nowhere either
    tree.write("R/loop", "");
    const V expected = {">>>> left: error reading 1st file!", ">>>> loop: error reading 1st file!",
                        ">>>> right: not found in 2nd directory!"};
    for (const bool fast : {false, true}) {
        request.options.fast = fast;
        const auto body = runBody();
        EXPECT_EQ(V(body.begin() + 1, body.begin() + 4), expected) << "fast " << fast;
        EXPECT_EQ(run.state().counters.filesCompared, 3);
        EXPECT_EQ(run.state().counters.differentCount, 3);
        EXPECT_EQ(run.state().counters.bytesCompared, run.state().progress.grandTotal);
    }
    // The companion also names each broken link with the system's reason, and calls it trouble.
    const auto r = runCompanion({"--all", "L", "R"}, tree.root());
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_NE(r.out.find(reportText(expected)), std::string::npos) << r.out;
    EXPECT_EQ(r.err, "quorvel-compare: " + tree.path("L/left") + ": No such file or directory\n" +
                         "quorvel-compare: " + tree.path("L/loop") +
                         ": Too many levels of symbolic links\n" + "quorvel-compare: " +
                         tree.path("R/right") + ": No such file or directory\n");
}

} // namespace
} // namespace quorvel::test
