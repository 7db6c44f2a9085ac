#include "support/ChildProcess.h"
#include "support/Companion.h"
#include "support/JsonLines.h"
#include "support/TempTree.h"

#include <nlohmann/json.hpp>

#include <gtest/gtest.h>

namespace quorvel {
namespace {

using nlohmann::json;

class CompanionNamesTest : public ::testing::Test {
protected:
    CompanionNamesTest() {
        tree.write("L/Photo.JPG", "same");
        tree.write("R/photo.jpg", "same");
        tree.write("L/Docs/x", "1");
        tree.write("R/docs/x", "1");
    }

    std::vector<json> jsonRun(std::vector<std::string> args, int expectedExit) {
        args.insert(args.begin(), {"--no-progress", "--json", "-"});
        args.insert(args.end(), {"L", "R"});
        const auto r = test::runCompanion(args, tree.root());
        EXPECT_EQ(r.exitCode, expectedExit) << r.err;
        return test::jsonLines(r.out);
    }

    test::TempTree tree;
};

TEST_F(CompanionNamesTest, TheStartObjectNamesTheRule) {
    struct Row {
        const char* name;
        std::vector<std::string> args;
        const char* word; // none: the key is left out
        int exit;
    };
    const Row rows[] = {
        {"by default", {}, nullptr, 1},
        {"case", {"--names", "case"}, "case", 0},
        {"unicode", {"--names=unicode"}, "unicode", 1},
        {"both", {"--names", "case,unicode"}, "case,unicode", 0},
    };
    for (const auto& row : rows) {
        const auto objects = jsonRun(row.args, row.exit);
        ASSERT_FALSE(objects.empty()) << row.name;
        const auto& options = objects.front()["options"];
        if (row.word == nullptr) {
            EXPECT_FALSE(options.contains("names")) << row.name;
        } else {
            EXPECT_EQ(options["names"], row.word) << row.name;
        }
    }
}

TEST_F(CompanionNamesTest, TheDefaultRunIsTheExactOneAndNamesNoRule) {
    const auto plain = test::runCompanion({"--no-progress", "L", "R"}, tree.root());
    const auto exact =
        test::runCompanion({"--no-progress", "--names", "exact", "L", "R"}, tree.root());
    EXPECT_EQ(plain.exitCode, 1);
    EXPECT_EQ(plain.out, exact.out);
    EXPECT_NE(plain.out.find("Photo.JPG: not found in 2nd directory!"), std::string::npos);
    EXPECT_EQ(plain.out.find("->"), std::string::npos);
    const auto folded =
        test::runCompanion({"--no-progress", "--names", "case", "L", "R"}, tree.root());
    EXPECT_EQ(folded.exitCode, 0) << folded.err;
    EXPECT_NE(folded.out.find("Names match regardless of letter case\n"), std::string::npos);
}

TEST_F(CompanionNamesTest, WhatTheRuleCannotServeIsAUsageError) {
    tree.write("R/m.txt", "x");
    const auto manifest =
        test::runCompanion({"--no-progress", "--manifest", "m.qm", "L"}, tree.root());
    ASSERT_EQ(manifest.exitCode, 0) << manifest.err;
    struct Row {
        const char* name;
        std::vector<std::string> args;
        const char* says;
    };
    const Row rows[] = {
        {"an unknown word", {"--names", "loose", "L", "R"}, "unknown value 'loose'"},
        {"two files", {"--names", "case", "L/Photo.JPG", "R/photo.jpg"}, "'--names'"},
        {"a manifest", {"--names", "case", "m.qm", "R"}, "manifest"},
    };
    for (const auto& row : rows) {
        auto args = row.args;
        args.insert(args.begin(), "--no-progress");
        const auto r = test::runCompanion(args, tree.root());
        EXPECT_EQ(r.exitCode, 2) << row.name;
        EXPECT_NE(r.err.find(row.says), std::string::npos) << row.name << ": " << r.err;
    }
}

} // namespace
} // namespace quorvel
