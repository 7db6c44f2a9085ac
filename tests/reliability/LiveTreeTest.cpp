// The companion on a tree that another process changes while it runs, as a live folder is: each
// verdict must agree with cmp on the tree once it is quiet again.

#include "support/ChildProcess.h"
#include "support/TempTree.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fcntl.h>
#include <filesystem>
#include <sstream>
#include <unistd.h>

namespace quorvel::test {
namespace {

namespace fs = std::filesystem;

void makeSparse(const std::string& path, off_t size) {
    const int fd = ::open(path.c_str(), O_CREAT | O_WRONLY | O_CLOEXEC, 0600);
    ASSERT_GE(fd, 0) << path;
    ASSERT_EQ(::ftruncate(fd, size), 0);
    ::close(fd);
}

// The pair lines of one subdirectory block of the companion's report.
std::vector<std::string> blockLines(const std::string& report, const std::string& subdirectory) {
    std::vector<std::string> lines;
    std::istringstream in(report);
    bool inside = false;
    for (std::string line; std::getline(in, line);) {
        if (line.starts_with("SUBDIR: ")) {
            inside = line == "SUBDIR: " + subdirectory;
        } else if (inside && line.find(": ") != std::string::npos) {
            lines.push_back(line);
        } else if (line.empty()) {
            inside = false;
        }
    }
    return lines;
}

TEST(LiveTree, EveryVerdictAgreesWithCmpOnTheQuietTree) {
    TempTree tree;
    tree.mkdir("L/A");
    tree.mkdir("R/A");
    // Sparse: no disk space, but a second or so of reading before the walk reaches Z.
    makeSparse(tree.path("L/A/big"), off_t{256} << 20);
    makeSparse(tree.path("R/A/big"), off_t{256} << 20);
    for (const char* name : {"log", "gone", "kind"}) {
        tree.write(std::string("L/Z/") + name, std::string(4096, 'x'));
        tree.write(std::string("R/Z/") + name, std::string(4096, 'x'));
    }
    fs::remove(tree.path("R/Z/kind"));
    tree.mkdir("R/Z/kind");
    bool changed = false;
    const auto r = runChild({QUORVEL_COMPARE_BIN, "--all", "--progress", "L", "R"}, tree.root(),
                            [&](const std::string& err, int) {
                                if (changed || err.find("big") == std::string::npos) {
                                    return;
                                }
                                changed = true;
                                tree.write("L/Z/log", std::string(4096, 'x') + "more");
                                tree.write("L/Z/g", "new");
                                tree.write("R/Z/g", "different");
                                tree.write("L/Z/N/n", "same");
                                tree.write("R/Z/N/n", "same");
                                fs::remove(tree.path("L/Z/gone"));
                                fs::remove(tree.path("R/Z/kind"));
                                tree.write("R/Z/kind", std::string(4096, 'x'));
                            });
    ASSERT_TRUE(changed);
    EXPECT_EQ(r.exitCode, 1) << r.err;
    std::size_t compared = 0;
    for (const std::string dir : {"Z", "Z/N"}) {
        const auto lines = blockLines(r.out, dir);
        for (const auto& entry : fs::directory_iterator(tree.path("L/" + dir))) {
            if (!entry.is_regular_file()) {
                continue;
            }
            const auto name = entry.path().filename().string();
            const auto cmp =
                runChild({"/usr/bin/cmp", "-s", "L/" + dir + "/" + name, "R/" + dir + "/" + name},
                         tree.root());
            const auto expected = cmp.exitCode == 0 ? name + ": equal." : ">>>> " + name + ": ";
            const auto line = std::find_if(lines.begin(), lines.end(),
                                           [&](const auto& l) { return l.starts_with(expected); });
            EXPECT_NE(line, lines.end()) << dir << "/" << name << " (cmp " << cmp.exitCode << ")\n"
                                         << r.out;
            ++compared;
        }
        EXPECT_EQ(lines.size(),
                  static_cast<std::size_t>(std::count_if(
                      fs::directory_iterator(tree.path("L/" + dir)), fs::directory_iterator(),
                      [](const auto& e) { return e.is_regular_file(); })))
            << "a line for a file that is gone:\n"
            << r.out;
    }
    EXPECT_EQ(compared, 4u); // log, kind, g; N/n
}

} // namespace
} // namespace quorvel::test
