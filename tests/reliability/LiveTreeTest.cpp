// The companion on a tree that another process changes while it runs, as a live folder is: each
// verdict must agree with cmp on the tree once it is quiet again.

#include "support/ChildProcess.h"
#include "support/TempTree.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <sstream>

namespace quorvel::test {
namespace {

namespace fs = std::filesystem;

// Each pair line of the report by its relative path.
std::map<std::string, std::string> pairLines(const std::string& report) {
    std::map<std::string, std::string> lines;
    std::istringstream in(report);
    std::string subdirectory;
    for (std::string line; std::getline(in, line);) {
        if (line.starts_with("SUBDIR: ")) {
            subdirectory = line.substr(8) + "/";
        } else if (line.starts_with(">>>> ") || line.ends_with(": equal.")) {
            const auto name = line.substr(line.starts_with(">>>> ") ? 5 : 0);
            lines[subdirectory + name.substr(0, name.find(": "))] = line;
        }
    }
    return lines;
}

TEST(LiveTree, EveryVerdictAgreesWithCmpOnTheQuietTree) {
    TempTree tree;
    // A second or so of reading before the walk reaches Z.
    tree.sparse("L/A/big", std::int64_t{256} << 20);
    tree.sparse("R/A/big", std::int64_t{256} << 20);
    const std::string page(4096, 'x');
    for (const char* name : {"L/Z/log", "R/Z/log", "L/Z/gone", "R/Z/gone", "L/Z/kind"}) {
        tree.write(name, page);
    }
    tree.mkdir("R/Z/kind");
    bool changed = false;
    const auto r = runChild({QUORVEL_COMPARE_BIN, "--one-sided", "--all", "--progress", "L", "R"},
                            tree.root(), [&](const std::string& err, int) {
                                if (changed || err.find("big") == std::string::npos) {
                                    return;
                                }
                                changed = true;
                                tree.write("L/Z/log", page + "more");
                                tree.write("L/Z/g", "new");
                                tree.write("R/Z/g", "different");
                                tree.write("L/Z/N/n", "same");
                                tree.write("R/Z/N/n", "same");
                                fs::remove(tree.path("L/Z/gone"));
                                fs::remove(tree.path("R/Z/kind"));
                                tree.write("R/Z/kind", page);
                            });
    if (!changed) {
        GTEST_SKIP() << "the run was over before its progress named the big file, so the tree "
                        "could not be changed while it ran (status "
                     << r.exitCode << ")";
    }
    EXPECT_EQ(r.exitCode, 1) << r.err;
    auto lines = pairLines(r.out);
    lines.erase("A/big");
    for (const char* file : {"Z/log", "Z/kind", "Z/g", "Z/N/n"}) {
        const auto same =
            runChild({"/usr/bin/cmp", "-s", std::string("L/") + file, std::string("R/") + file},
                     tree.root());
        const auto line = lines.extract(file);
        ASSERT_FALSE(line.empty()) << file << " has no line:\n" << r.out;
        EXPECT_EQ(line.mapped().starts_with(">>>> "), same.exitCode != 0)
            << line.mapped() << " (cmp " << same.exitCode << ")";
    }
    EXPECT_TRUE(lines.empty()) << "a line for a file that is gone:\n" << r.out;
}

} // namespace
} // namespace quorvel::test
