#include "support/ChildProcess.h"
#include "support/Companion.h"
#include "support/JsonLines.h"
#include "support/TempTree.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace quorvel {
namespace {

class CompanionAnywhereTest : public ::testing::Test {
protected:
    CompanionAnywhereTest() {
        tree.write("L/a.txt", "alpha");
        tree.write("L/sub/b.txt", "beta");
        tree.write("R/elsewhere/renamed.txt", "alpha");
        tree.write("R/b-copy.txt", "beta");
    }

    test::ChildResult run(std::vector<std::string> args) {
        args.insert(args.begin(), {"--no-progress", "--anywhere"});
        return test::runCompanion(args, tree.root());
    }

    test::TempTree tree;
};

TEST_F(CompanionAnywhereTest, StatusIsZeroOnlyWhenEveryFileIsPresentAndNothingWasTrouble) {
    auto r = run({"L", "R"});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out.find("present as"), std::string::npos) << "listed only with --all";
    r = run({"--all", "L", "R"});
    EXPECT_NE(r.out.find("\na.txt: present as elsewhere/renamed.txt.\n"), std::string::npos)
        << r.out;

    tree.write("L/sub/lost.txt", "nowhere else");
    r = run({"L", "R"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.out.find("\n>>>> lost.txt: found nowhere in 2nd directory!\n"), std::string::npos)
        << r.out;

    // What a link that leads nowhere would hold cannot be known.
    tree.symlink("nowhere", "R/dangling");
    r = run({"L", "R"});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_EQ(r.err,
              "quorvel-compare: " + tree.path("R/dangling") + ": No such file or directory\n");
}

TEST_F(CompanionAnywhereTest, TheReportForScriptsSaysWhereEachFileWasFound) {
    tree.write("L/lost.txt", "nowhere else");
    const auto r = run({"--json", "-", "L", "R"});
    EXPECT_EQ(r.exitCode, 1);
    const auto objects = test::jsonLines(r.out);
    ASSERT_EQ(objects.size(), 5u) << r.out;
    EXPECT_EQ(objects[0]["options"]["anywhere"], true);
    EXPECT_EQ(objects[1]["result"], "present");
    EXPECT_EQ(objects[1]["found_at"], "elsewhere/renamed.txt");
    EXPECT_EQ(objects[2]["path"], "lost.txt");
    EXPECT_EQ(objects[2]["result"], "missing");
    EXPECT_FALSE(objects[2].contains("found_at"));
    EXPECT_EQ(objects[3]["found_at"], "b-copy.txt");
}

TEST_F(CompanionAnywhereTest, IsRefusedWithAManifestWithMovesWithFastAndBetweenFiles) {
    ASSERT_EQ(test::runCompanion({"--manifest", "m.qvm", "L"}, tree.root()).exitCode, 0);
    for (const auto& args :
         std::vector<std::vector<std::string>>{{"--moves", "L", "R"},
                                               {"--fast", "L", "R"},
                                               {"m.qvm", "R"},
                                               {"--right-manifest", "L", "m.qvm"},
                                               {"L/a.txt", "R/b-copy.txt"}}) {
        const auto r = run(args);
        EXPECT_EQ(r.exitCode, 2) << args.front();
        EXPECT_EQ(r.out, "");
        EXPECT_EQ(r.err.find("quorvel-compare: option"), 0u) << r.err;
        EXPECT_NE(r.err.find("'--anywhere'"), std::string::npos) << r.err;
        EXPECT_NE(r.err.find("Try 'quorvel-compare --help'"), std::string::npos) << r.err;
    }
}

} // namespace
} // namespace quorvel
