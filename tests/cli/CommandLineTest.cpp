#include "cli/CommandLine.h"

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

TEST(CommandLine, AManifestIsWrittenOfOneDirectoryAndWithoutAReport) {
    const auto parsed = parseCommandLine({"--manifest", "-", "--filter", "*.txt", "tree"});
    ASSERT_TRUE(parsed.commandLine) << parsed.error;
    EXPECT_EQ(parsed.commandLine->manifestFile, "-");
    EXPECT_EQ(parsed.commandLine->paths, (std::vector<std::string>{"tree"}));
    EXPECT_FALSE(parseCommandLine({"--manifest", "m.qvm"}).commandLine);
    EXPECT_FALSE(parseCommandLine({"--manifest", "m.qvm", "a", "b"}).commandLine);
    EXPECT_FALSE(parseCommandLine({"--manifest", "m.qvm", "--text", "r.txt", "a"}).commandLine);
    EXPECT_TRUE(parseCommandLine({"--manifest", "m.qvm", "--force", "a"}).commandLine->force);
    EXPECT_FALSE(parseCommandLine({"--force", "a", "b"}).commandLine) << "nothing to replace";
}

} // namespace
} // namespace quorvel
