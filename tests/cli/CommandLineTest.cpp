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

// What the option flags leave: the error, the option only two directories take, what was typed.
TEST(CommandLine, OptionFlagsSetTheirOptionsAndSayWhatWasTyped) {
    const struct {
        const char* name;
        V args;
        const char* error; // "" when it parses
        const char* directoryOption;
        bool bothTyped;
    } rows[] = {
        {"both, then one-sided",
         {"--both", "a", "b", "--one-sided"},
         "options '--both' and '--one-sided' contradict each other",
         "",
         true},
        {"one-sided, then both",
         {"--one-sided", "--both", "a", "b"},
         "options '--both' and '--one-sided' contradict each other",
         "",
         true},
        {"one-sided twice", {"--one-sided", "--one-sided", "a", "b"}, "", "", true},
        {"one-sided sets the default", {"--one-sided", "a", "b"}, "", "", true},
        {"the last exclusion names itself",
         {"--both", "--exclude-from", "f", "a", "b"},
         "",
         "--exclude-from",
         true},
        {"the older options are taken anywhere",
         {"--no-recurse", "--all", "--filter=x", "a", "b"},
         "",
         "",
         false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const auto parsed = parseCommandLine(row.args);
        EXPECT_EQ(parsed.error, row.error);
        if (!parsed.commandLine) {
            continue;
        }
        EXPECT_EQ(parsed.commandLine->directoryOption, row.directoryOption);
        EXPECT_EQ(parsed.commandLine->typed(&CompareOptions::bothSides), row.bothTyped);
    }
    const auto patterns =
        parseCommandLine({"--filter", "*.c", "--exclude=o", "--filter=*.h", "a", "b"});
    ASSERT_TRUE(patterns.commandLine);
    EXPECT_EQ(patterns.commandLine->options.filter, "*.c;*.h") << "the default is replaced once";
    EXPECT_EQ(patterns.commandLine->options.exclusions, "o");
    EXPECT_TRUE(patterns.commandLine->typed(&CompareOptions::filter));
    EXPECT_FALSE(patterns.commandLine->typed(&CompareOptions::recurse));
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
