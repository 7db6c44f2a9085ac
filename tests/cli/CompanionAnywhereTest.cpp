#include "support/ChildProcess.h"
#include "support/Companion.h"
#include "support/TempTree.h"

#include <nlohmann/json.hpp>

#include <gtest/gtest.h>

#include <ostream>
#include <sstream>
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
        args.insert(args.begin(), "--no-progress");
        return test::runCompanion(args, tree.root());
    }

    test::TempTree tree;
};

TEST_F(CompanionAnywhereTest, EveryFilePresentIsStatusZeroAndListedOnlyWithAll) {
    auto r = run({"--anywhere", "L", "R"});
    EXPECT_EQ(r.exitCode, 0) << r.out << r.err;
    EXPECT_EQ(r.out.find("present as"), std::string::npos) << r.out;

    r = run({"--anywhere", "--all", "L", "R"});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_NE(r.out.find("\na.txt: present as elsewhere/renamed.txt.\n"), std::string::npos)
        << r.out;
    EXPECT_NE(r.out.find("\nb.txt: present as b-copy.txt.\n"), std::string::npos) << r.out;
    EXPECT_EQ(r.err, "");
}

TEST_F(CompanionAnywhereTest, AMissingFileIsStatusOneAndTroubleOnTheRightIsTwo) {
    tree.write("L/sub/lost.txt", "nowhere else");
    auto r = run({"--anywhere", "L", "R"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.out.find("\n>>>> lost.txt: found nowhere in 2nd directory!\n"), std::string::npos)
        << r.out;

    // What a link that leads nowhere would hold cannot be known.
    tree.symlink("nowhere", "R/dangling");
    r = run({"--anywhere", "L", "R"});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_NE(r.err.find(tree.path("R/dangling") + ": No such file or directory"),
              std::string::npos)
        << r.err;
}

TEST_F(CompanionAnywhereTest, TheReportForScriptsSaysWhereEachFileWasFound) {
    tree.write("L/lost.txt", "nowhere else");
    const auto r = run({"--anywhere", "--all", "--json", "-", "L", "R"});
    EXPECT_EQ(r.exitCode, 1);
    std::vector<nlohmann::json> files;
    std::istringstream lines(r.out);
    nlohmann::json start;
    for (std::string line; std::getline(lines, line);) {
        auto object = nlohmann::json::parse(line);
        if (object["type"] == "start") {
            start = object;
        } else if (object["type"] == "pair") {
            files.push_back(object);
        }
    }
    EXPECT_EQ(start["options"]["anywhere"], true) << start;
    ASSERT_EQ(files.size(), 3u) << r.out;
    EXPECT_EQ(files[0]["path"], "a.txt");
    EXPECT_EQ(files[0]["result"], "present");
    EXPECT_EQ(files[0]["found_at"], "elsewhere/renamed.txt");
    EXPECT_EQ(files[1]["path"], "lost.txt");
    EXPECT_EQ(files[1]["result"], "missing");
    EXPECT_FALSE(files[1].contains("found_at"));
    EXPECT_EQ(files[2]["found_at"], "b-copy.txt");
}

struct Refusal {
    const char* name;
    std::vector<std::string> args;
};

// Named in a failure's message, as the row is named.
void PrintTo(const Refusal& row, std::ostream* out) {
    *out << row.name;
}

class CompanionAnywhereRefusals : public CompanionAnywhereTest,
                                  public ::testing::WithParamInterface<Refusal> {};

TEST_P(CompanionAnywhereRefusals, AreUsageErrors) {
    ASSERT_EQ(run({"--manifest", "m.qvm", "L"}).exitCode, 0);
    const auto r = run(GetParam().args);
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_EQ(r.out, "");
    EXPECT_NE(r.err.find("'--anywhere'"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("Try 'quorvel-compare --help'"), std::string::npos) << r.err;
}

INSTANTIATE_TEST_SUITE_P(
    Anywhere, CompanionAnywhereRefusals,
    ::testing::Values(Refusal{"WithMoves", {"--anywhere", "--moves", "L", "R"}},
                      Refusal{"WithFast", {"--anywhere", "--fast", "L", "R"}},
                      Refusal{"ManifestOnTheLeft", {"--anywhere", "m.qvm", "R"}},
                      Refusal{"ManifestOnTheRight",
                              {"--anywhere", "--right-manifest", "L", "m.qvm"}},
                      Refusal{"FileWithFile", {"--anywhere", "L/a.txt", "R/b-copy.txt"}}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace quorvel
