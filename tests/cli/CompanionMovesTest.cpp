#include "support/Companion.h"
#include "support/JsonLines.h"
#include "support/TempTree.h"

#include <gtest/gtest.h>

namespace quorvel {
namespace {

using nlohmann::json;

// The JSON objects of a run, with its exit status first checked.
std::vector<json> jsonRun(const test::TempTree& tree, std::vector<std::string> args, int exit) {
    args.insert(args.begin(), {"--no-progress", "--json", "-"});
    const auto r = test::runCompanion(args, tree.root());
    EXPECT_EQ(r.exitCode, exit) << r.err;
    return test::jsonLines(r.out);
}

TEST(CompanionMovesTest, AMoveIsSafeForTheExitStatusAndNamedForScripts) {
    test::TempTree tree;
    tree.write("L/a/report.pdf", "the same bytes");
    tree.write("R/b/report-final.pdf", "the same bytes");
    const auto manifest =
        test::runCompanion({"--no-progress", "--manifest", "m.qm", "L"}, tree.root());
    ASSERT_EQ(manifest.exitCode, 0) << manifest.err;
    struct Row {
        const char* name;
        std::vector<std::string> args;
        int exit;
        const char* result; // of the first pair
    };
    const Row rows[] = {
        {"without moves", {"L", "R"}, 1, "not-found-in-2nd"},
        {"with moves", {"--moves", "L", "R"}, 0, "moved"},
        {"with a manifest on the left", {"--moves", "m.qm", "R"}, 0, "moved"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const auto objects = jsonRun(tree, row.args, row.exit);
        ASSERT_GE(objects.size(), 3u);
        EXPECT_EQ(objects[0]["options"].contains("moves"), row.exit == 0);
        EXPECT_EQ(objects[1]["result"], row.result);
        if (row.exit == 0) {
            EXPECT_EQ(objects[1]["path"], "a/report.pdf");
            EXPECT_EQ(objects[1]["moved_to"], "b/report-final.pdf");
            EXPECT_EQ(objects.back()["different"], 0);
        }
    }
}

} // namespace
} // namespace quorvel
