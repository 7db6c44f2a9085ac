#include "engine/RunPlan.h"
#include "engine/LexicalPath.h"
#include "support/TempTree.h"

#include <gtest/gtest.h>

#include <unistd.h>

namespace quorvel {
namespace {

using V = std::vector<std::string>;

TEST(LexicalPath, AbsoluteAndNormalWithoutResolvingLinks) {
    EXPECT_EQ(lexicallyAbsolute("a/./b//c/", "/home/ann"), "/home/ann/a/b/c");
    EXPECT_EQ(lexicallyAbsolute("../x", "/home/ann"), "/home/x");
    EXPECT_EQ(lexicallyAbsolute("/../../x/..", "/home"), "/");
    EXPECT_EQ(lexicallyAbsolute(".", "/"), "/");
    EXPECT_EQ(parentOf("/a/b"), "/a");
    EXPECT_EQ(parentOf("/b"), "/");
    EXPECT_EQ(nameOf("/a/b"), "b");
}

TEST(RunPlan, TheKindsOfThePathsDecideTheMode) {
    test::TempTree tree;
    tree.write("L/a", "1");
    tree.write("L/b", "1");
    tree.write("M/c", "1");
    tree.mkdir("R");
    tree.fifo("pipe");
    const auto cwd = tree.root();

    auto planned = planRun({"L", "R/"}, cwd);
    ASSERT_TRUE(planned.plan);
    EXPECT_EQ(planned.plan->mode, CompareMode::DirectoryWithDirectory);
    EXPECT_EQ(planned.plan->rightDirectory, tree.path("R"));

    planned = planRun({"L/a", "M/c"}, cwd);
    ASSERT_TRUE(planned.plan);
    EXPECT_EQ(planned.plan->mode, CompareMode::FileWithFile);
    EXPECT_EQ(planned.plan->leftNames, V{"a"});
    EXPECT_EQ(planned.plan->rightName, "c");

    planned = planRun({"L/b", "L/a", "L/b", "R"}, cwd);
    ASSERT_TRUE(planned.plan);
    EXPECT_EQ(planned.plan->mode, CompareMode::FilesWithDirectory);
    EXPECT_EQ(planned.plan->leftNames, (V{"b", "a", "b"}));

    planned = planRun({"L", "L/a"}, cwd);
    EXPECT_TRUE(!planned.plan && planned.usageError);
    planned = planRun({"L/a", "M/c", "R"}, cwd);
    EXPECT_TRUE(!planned.plan && planned.usageError) << "files from two directories";
    planned = planRun({"L/a", "missing"}, cwd);
    EXPECT_EQ(planned.error, "cannot access 'missing': No such file or directory");
    planned = planRun({"pipe", "L/a"}, cwd);
    EXPECT_EQ(planned.error, "'pipe': not a regular file or directory");
}

TEST(RunPlan, ALonePathIsTheLeftSideWithoutAMode) {
    test::TempTree tree;
    tree.write("L/a", "1");
    const auto cwd = tree.root();

    auto planned = planRun({"L"}, cwd);
    ASSERT_TRUE(planned.plan);
    EXPECT_EQ(planned.plan->mode, CompareMode::None);
    EXPECT_EQ(planned.plan->leftDirectory, tree.path("L"));
    EXPECT_TRUE(planned.plan->leftNames.empty());
    EXPECT_EQ(planned.plan->rightDirectory, "");

    planned = planRun({"L/a"}, cwd);
    ASSERT_TRUE(planned.plan);
    EXPECT_EQ(planned.plan->mode, CompareMode::None);
    EXPECT_EQ(planned.plan->leftDirectory, tree.path("L"));
    EXPECT_EQ(planned.plan->leftNames, V{"a"});

    planned = planRun({"missing"}, cwd);
    EXPECT_EQ(planned.error, "cannot access 'missing': No such file or directory");
}

TEST(RunPlan, WithoutAWorkingDirectoryOnlyAbsolutePathsAreReached) {
    test::TempTree tree;
    tree.mkdir("L");
    tree.mkdir("gone");
    char buffer[4096];
    const std::string previous = ::getcwd(buffer, sizeof buffer) != nullptr ? buffer : "/";
    ASSERT_EQ(::chdir(tree.path("gone").c_str()), 0);
    ASSERT_EQ(::rmdir(tree.path("gone").c_str()), 0);

    const auto relative = planRunFromHere({"."}); // not the root
    const auto absolute = planRunFromHere({tree.path("L")});
    ASSERT_EQ(::chdir(previous.c_str()), 0);
    EXPECT_EQ(relative.error, "cannot access '.': No such file or directory");
    ASSERT_TRUE(absolute.plan) << absolute.error;
    EXPECT_EQ(absolute.plan->leftDirectory, tree.path("L"));
}

} // namespace
} // namespace quorvel
