#include "cli/CommandLine.h"
#include "cli/LexicalPath.h"
#include "cli/RunPlan.h"
#include "support/TempTree.h"

#include <gtest/gtest.h>

namespace quorvel {
namespace {

using V = std::vector<std::string>;

TEST(CommandLine, OptionsStandAnywhereAndDoubleDashEndsThem) {
    const auto parsed = parseCommandLine(
        {"--fast", "a", "--filter", "*.txt;*.doc", "b", "--lang=deu", "--", "--all"});
    ASSERT_TRUE(parsed.commandLine) << parsed.error;
    const auto& cl = *parsed.commandLine;
    EXPECT_TRUE(cl.options.fast);
    EXPECT_TRUE(cl.options.onlyDifferent) << "--all came after --";
    EXPECT_TRUE(cl.options.recurse);
    EXPECT_EQ(cl.options.filter, "*.txt;*.doc");
    EXPECT_EQ(cl.language, kGerman);
    EXPECT_EQ(cl.paths, (V{"a", "b", "--all"}));
}

TEST(CommandLine, UsageErrors) {
    EXPECT_FALSE(parseCommandLine({"a"}).commandLine);
    EXPECT_FALSE(parseCommandLine({"--frobnicate", "a", "b"}).commandLine);
    EXPECT_FALSE(parseCommandLine({"a", "b", "--lang", "fr"}).commandLine);
    EXPECT_FALSE(parseCommandLine({"a", "b", "--filter"}).commandLine);
    EXPECT_FALSE(parseCommandLine({"a", "b", "--fast=yes"}).commandLine);
    EXPECT_TRUE(parseCommandLine({"--help"}).commandLine);
}

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

} // namespace
} // namespace quorvel
