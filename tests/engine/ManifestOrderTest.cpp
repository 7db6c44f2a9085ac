#include "engine/ManifestOrder.h"
#include "engine/ContentHash.h"
#include "engine/ManifestEntries.h"
#include "engine/PosixFileAccess.h"
#include "engine/WalkedFiles.h"
#include "support/TempTree.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace quorvel {
namespace {

struct OrderRow {
    const char* name;
    const char* before;
    const char* after;
};

TEST(ManifestOrderTest, PathsComeInTheOrderOfTheWalk) {
    const OrderRow rows[] = {
        {"names by the engine's order", "a.txt", "b.txt"},
        {"letter case folded first", "a.txt", "B.txt"},
        {"a directory's files before its subdirectories", "z.txt", "a/b.txt"},
        {"deeper files after the files above them", "a/z.txt", "a/b/c.txt"},
        {"subdirectories by name", "a/z.txt", "b/a.txt"},
        {"an unreadable directory before what it would hold", "a/", "a/x.txt"},
        {"the root's own entry before everything", "./", "a.txt"},
        {"a name that is a prefix of another", "ab/x", "abc/x"},
    };
    for (const auto& row : rows) {
        EXPECT_TRUE(manifestPathLess(row.before, row.after)) << row.name;
        EXPECT_FALSE(manifestPathLess(row.after, row.before)) << row.name;
        EXPECT_FALSE(manifestPathLess(row.before, row.before)) << row.name;
    }
}

TEST(ManifestOrderTest, OnlyPathsInsideTheTreeAreSafe) {
    const struct {
        const char* path;
        bool safe;
    } rows[] = {
        {"a.txt", true}, {"a/b/c", true},   {"dir/", true},   {"./", true},
        {"", false},     {"/etc/x", false}, {"../x", false},  {"a/../../x", false},
        {"a//b", false}, {"./a", false},    {"a/./b", false}, {"..", false},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(safeRelativePath(row.path), row.safe) << row.path;
    }
}

TEST(ContentHashTest, MatchesXxhsumAndReadsItsHexBack) {
    ContentHash hash;
    hash.add("hel");
    hash.add("lo\n");
    // xxhsum -H2 of a file holding "hello\n".
    EXPECT_EQ(hashHex(hash.digest()), "6bba86c7e069f56d5a10b435f1c8e49c");
    EXPECT_EQ(hashFromHex("6bba86c7e069f56d5a10b435f1c8e49c"), hash.digest());
    EXPECT_FALSE(hashFromHex("6BBA86C7E069F56D5A10B435F1C8E49C"));
    EXPECT_FALSE(hashFromHex("6bba86c7"));
}

TEST(ManifestEntriesTest, KeepsEveryEntryWholeAcrossBlocks) {
    ManifestEntries entries;
    const std::string longPath(3u << 20, 'p'); // longer than a block
    for (int i = 0; i < 3000; ++i) {
        const auto path = i == 1500 ? longPath : "dir/file" + std::to_string(i);
        entries.add({path, i, i * 10, {static_cast<std::uint64_t>(i), 7}, i % 2});
    }
    ASSERT_EQ(entries.size(), 3000u);
    EXPECT_EQ(entries[1500].path, longPath);
    const auto last = entries[2999];
    EXPECT_EQ(last.path, "dir/file2999");
    EXPECT_EQ(last.size, 2999);
    EXPECT_EQ(last.modifiedNanoseconds, 29990);
    EXPECT_EQ(last.hash, (Hash128{2999, 7}));
    EXPECT_EQ(last.errorCode, 1);
}

class WalkedFilesTest : public ::testing::Test {
protected:
    std::vector<std::string> listed(const CompareOptions& options) {
        PosixFileAccess files;
        WalkedFiles lister(files, tree.root(), options, true);
        std::vector<std::string> paths;
        while (auto item = lister.next()) {
            paths.push_back(item->path);
        }
        return paths;
    }

    test::TempTree tree;
};

TEST_F(WalkedFilesTest, HandsOutFilesInWalkOrderUnderFilterAndExclusions) {
    tree.write("b.txt", "b");
    tree.write("A.txt", "a");
    tree.write("a/x.txt", "x");
    tree.write("a/x.log", "x");
    tree.write("a/skip/y.txt", "y");
    tree.write("c/z.txt", "z");
    CompareOptions options;
    options.filter = "*.txt;*.t*"; // both patterns take the .txt names: each is listed once
    options.exclusions = "skip";
    EXPECT_EQ(listed(options), (std::vector<std::string>{"A.txt", "b.txt", "a/x.txt", "c/z.txt"}));
    std::vector<std::string> order = listed(CompareOptions{});
    EXPECT_TRUE(std::is_sorted(order.begin(), order.end(), manifestPathLess));
    options.recurse = false;
    EXPECT_EQ(listed(options), (std::vector<std::string>{"A.txt", "b.txt"}));
}

TEST_F(WalkedFilesTest, ALinkBackUpTheTreeIsNotEnteredAgain) {
    tree.write("d/f.txt", "f");
    tree.symlink("..", "d/up");
    tree.symlink("d", "e");
    EXPECT_EQ(listed(CompareOptions{}), (std::vector<std::string>{"d/f.txt", "e/f.txt"}));
}

} // namespace
} // namespace quorvel
