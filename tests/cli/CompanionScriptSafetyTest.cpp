// The companion's defaults for scripts: both sides listed, nothing checked never passes for all
// equal, patterns add up, and output targets are looked at before any work.

#include "support/Companion.h"
#include "support/TempTree.h"

#include <gtest/gtest.h>

#include <functional>

namespace quorvel {
namespace {

struct Case {
    const char* name;
    std::function<void(test::TempTree&)> make;
    std::vector<std::string> args;
    int exitCode;
    const char* inOutput; // a line the report holds, or "" for an empty standard output
    const char* inErrors; // said on standard error, or "" for nothing
};

void runCases(const std::vector<Case>& cases) {
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        test::TempTree tree;
        tree.mkdir("L");
        tree.mkdir("R");
        c.make(tree);
        std::vector<std::string> args{"--no-progress"};
        args.insert(args.end(), c.args.begin(), c.args.end());
        const auto r = test::runCompanion(args, tree.root());
        EXPECT_EQ(r.exitCode, c.exitCode) << r.out << r.err;
        if (*c.inOutput == '\0') {
            EXPECT_EQ(r.out, "");
        } else {
            EXPECT_NE(r.out.find(c.inOutput), std::string::npos) << r.out;
        }
        if (*c.inErrors == '\0') {
            EXPECT_EQ(r.err, "");
        } else {
            EXPECT_NE(r.err.find(c.inErrors), std::string::npos) << r.err;
        }
    }
}

TEST(CompanionScriptSafety, WhatWasNotCheckedNeverPassesForAllEqual) {
    const auto same = [](test::TempTree& t) {
        t.write("L/a.jpg", "a");
        t.write("R/a.jpg", "a");
    };
    runCases({
        {"a file the second tree lacks",
         [](test::TempTree& t) { t.write("L/photo.jpg", "p"); },
         {"L", "R"},
         1,
         ">>>> photo.jpg: not found in 2nd directory!",
         ""},
        {"a file only the second tree holds, named second",
         [](test::TempTree& t) { t.write("R/photo.jpg", "p"); },
         {"L", "R"},
         1,
         ">>>> photo.jpg: not found in 1st directory!",
         ""},
        {"one-sided, as the window reports",
         [](test::TempTree& t) {
             t.write("L/a", "a");
             t.write("R/a", "a");
             t.write("R/photo.jpg", "p");
         },
         {"--one-sided", "L", "R"},
         0,
         "Equal: 1;   different: 0",
         ""},
        {"an empty directory on one side",
         [](test::TempTree& t) { t.mkdir("L/empty/deeper"); },
         {"L", "R"},
         1,
         ">>>> empty/deeper/: not found in 2nd directory!",
         ""},
        {"an empty directory only on the right",
         [&same](test::TempTree& t) {
             same(t);
             t.mkdir("R/new");
         },
         {"L", "R"},
         1,
         ">>>> new/: not found in 1st directory!",
         ""},
        {"both sides empty",
         [](test::TempTree&) {},
         {"L", "R"},
         2,
         "Compared 0 file(s)",
         "nothing was compared: both sides are empty"},
        {"the first side empty, one-sided",
         [](test::TempTree& t) { t.write("R/a", "a"); },
         {"--one-sided", "L", "R"},
         2,
         "Compared 0 file(s)",
         "nothing was compared: the 1st side is empty"},
        {"a filter that matches nothing",
         same,
         {"--filter", "*.png", "L", "R"},
         2,
         "Compared 0 file(s)",
         "nothing was compared: no file passes the filter '*.png'"},
    });
}

TEST(CompanionScriptSafety, PatternsAddUpAndOutputsAreCheckedBeforeTheRun) {
    const auto photos = [](test::TempTree& t) {
        t.write("L/a.jpg", "good");
        t.write("R/a.jpg", "bad!");
        t.write("L/b.txt", "same");
        t.write("R/b.txt", "same");
        t.write("L/cache/c.jpg", "one");
        t.write("R/cache/c.jpg", "two");
    };
    runCases({
        {"two filters",
         photos,
         {"--filter", "*.txt", "--filter", "*.jpg", "L", "R"},
         1,
         ">>>> a.jpg: different contents!",
         ""},
        {"two exclusions",
         photos,
         {"--exclude", "a.jpg", "--exclude", "cache", "L", "R"},
         0,
         "Equal: 1;   different: 0",
         ""},
        {"exclusions from a file",
         [&photos](test::TempTree& t) {
             photos(t);
             t.write("ignore", "a.jpg\r\n\ncache\n");
         },
         {"--exclude-from", "ignore", "L", "R"},
         0,
         "Equal: 1;   different: 0",
         ""},
        {"a pattern with a path",
         photos,
         {"--exclude", "cache/c.jpg", "L", "R"},
         2,
         "",
         "'cache/c.jpg' holds '/'"},
        {"the text report on standard output",
         photos,
         {"--text", "-", "L", "R"},
         1,
         ">>>> a.jpg: different contents!\r\n",
         ""},
        {"a report into a folder that is not there",
         photos,
         {"--json", "gone/report.json", "L", "R"},
         2,
         "",
         "cannot write 'gone/report.json': No such file or directory"},
    });
}

} // namespace
} // namespace quorvel
