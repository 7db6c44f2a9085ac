#include "engine/ManifestComparison.h"
#include "engine/ContentHash.h"
#include "engine/RunRecord.h"
#include "support/HookedFileAccess.h"
#include "support/RecordingObserver.h"
#include "support/TempTree.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <string>
#include <vector>

namespace quorvel {
namespace {

// The pairs a run writes, as "directory|name|result", and its block lines.
class PairLog : public RunRecord {
public:
    std::vector<std::string> lines;

    void clear(const RunRequest&) override { lines.clear(); }
    void heading(HeadingKind, std::string_view) override {}
    void quotedHeading(QuotedKind, std::string_view) override {}
    void optionHeadings() override {}
    void blank() override {}
    void subdirectory(std::string_view relativePath) override {
        lines.push_back("SUBDIR " + std::string(relativePath));
    }
    void pair(const PairRecord& facts) override {
        lines.push_back(std::string(facts.directory) + "|" + std::string(facts.name) + "|" +
                        std::to_string(static_cast<int>(facts.result)));
    }
    void status(bool) override {}
    void summary(const RunCounters&, bool) override {}
};

std::string row(const char* directory, const char* name, CompareResult result) {
    return std::string(directory) + "|" + name + "|" + std::to_string(static_cast<int>(result));
}

Hash128 hashOf(const std::string& content) {
    ContentHash hash;
    hash.add(content);
    return hash.digest();
}

class ManifestComparisonTest : public ::testing::Test {
protected:
    // An entry as a manifest would hold the file with `content`.
    void add(const std::string& path, const std::string& content) {
        manifest.entries.add(
            {path, static_cast<std::int64_t>(content.size()), 0, hashOf(content), 0});
    }

    const RunState& compare(bool manifestLeft, const CompareOptions& options = {}) {
        RunRequest request;
        request.mode = CompareMode::DirectoryWithDirectory;
        request.options = options;
        const ManifestRunSide side{"m.qvm", &manifest, {}};
        const ManifestRunSide live{tree.root(), nullptr, {}};
        run.begin(request, manifestLeft ? side : live, manifestLeft ? live : side);
        run.sumSizes();
        run.comparePairs();
        run.end();
        return run.state();
    }

    test::TempTree tree;
    Manifest manifest;
    test::RecordingObserver observer;
    PairLog log;
    test::HookedFileAccess files;
    ManifestComparison run{observer, log, files};
};

TEST_F(ManifestComparisonTest, AFileThatShrinksWhileReadIsDifferentContents) {
    tree.write("a.txt", "0123456789");
    add("a.txt", "0123456789");
    files.onRead = [](const std::string&, int, std::int64_t count) { return count - 1; };
    compare(true);
    EXPECT_EQ(log.lines,
              (std::vector<std::string>{row("", "a.txt", CompareResult::DifferentContents)}));
}

TEST_F(ManifestComparisonTest, TroubleOnTheLiveSideIsToldWhereverItIs) {
    tree.write("a.txt", "a");
    tree.write("sub/b.txt", "b");
    add("a.txt", "a");
    add("sub/b.txt", "b");
    files.unreadableDirectories.insert(tree.path("sub"));
    compare(false); // the tree on the left
    EXPECT_EQ(log.lines, (std::vector<std::string>{
                             "SUBDIR sub", row("sub", "sub/", CompareResult::ErrorReading1st)}));
    compare(true);
    EXPECT_EQ(log.lines, (std::vector<std::string>{
                             "SUBDIR sub", row("sub", "sub/", CompareResult::NotFoundIn1st),
                             row("sub", "b.txt", CompareResult::NotFoundIn2nd)}))
        << "on the right, as a directory run names a right directory it cannot read";
    ASSERT_EQ(observer.readProblems.size(), 2u);
    EXPECT_EQ(observer.readProblems[0], std::make_pair(tree.path("sub"), EACCES));
}

TEST_F(ManifestComparisonTest, TheManifestSideIsFilteredAsTheTreeIs) {
    tree.write("a.txt", "a");
    tree.write("a.log", "changed");
    tree.write("sub/b.txt", "changed");
    add("a.log", "a");
    add("a.txt", "a");
    add("old.txt", "gone");
    add("sub/b.txt", "b");
    CompareOptions options;
    options.filter = "*.txt";
    options.recurse = false;
    options.onlyDifferent = false;
    const auto& state = compare(true, options);
    EXPECT_EQ(log.lines,
              (std::vector<std::string>{row("", "a.txt", CompareResult::Equal),
                                        row("", "old.txt", CompareResult::NotFoundIn2nd)}));
    EXPECT_EQ(state.counters.filesCompared, 2);
    EXPECT_EQ(state.counters.differentCount, 1);
}

TEST_F(ManifestComparisonTest, AnAbortStopsTheRunBeforeTheNextPair) {
    tree.write("a.txt", "a");
    tree.write("b.txt", "b");
    add("a.txt", "x");
    add("b.txt", "y");
    // Asked as the second pair begins, so seen at the first poll while its file is hashed.
    observer.onPairBegun = [this](std::string_view name) {
        if (name == "b.txt") {
            run.requestAbort();
        }
    };
    const auto& state = compare(true);
    EXPECT_TRUE(state.runInterrupted);
    EXPECT_EQ(log.lines,
              std::vector<std::string>{row("", "a.txt", CompareResult::DifferentContents)});
    EXPECT_EQ(state.counters.filesCompared, 1);
}

} // namespace
} // namespace quorvel
