#include "support/EngineFixture.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <unistd.h>
#include <utility>

namespace quorvel {
namespace {

using V = std::vector<std::string>;

// Directory runs through the real file system, with reading ahead always on or left to itself.
class FileAccessTest : public test::EngineFixture,
                       public ::testing::WithParamInterface<PosixFileAccess::ReadAheadMode> {
protected:
    FileAccessTest() : EngineFixture(GetParam()) {}
};

TEST_P(FileAccessTest, ManyPairsWithOddNamesakesComeOutRightAndLeaveNothingOpen) {
    // More names than it takes before the right directory is listed once for their kinds.
    for (int i = 0; i < 40; ++i) {
        const auto name = std::string("f").append(std::to_string(100 + i));
        tree.write("L/" + name, name);
        tree.write("R/" + name, i % 10 == 3 ? "other" : name);
    }
    for (const char* odd : {"pipe", "dev", "dir", "gone", "loop"}) {
        tree.write(std::string("L/") + odd, "x");
    }
    tree.fifo("R/pipe");
    tree.symlink("/dev/zero", "R/dev");
    tree.mkdir("R/dir");
    tree.symlink("loop", "R/loop");
    run.run();
    const auto lines = this->lines();
    expectNothingLeftOpen();
    EXPECT_EQ(run.state().counters.filesCompared, 45);
    EXPECT_EQ(run.state().counters.differentCount, 4 + 5);
    for (const char* odd : {"pipe", "dev", "dir", "gone", "loop"}) {
        EXPECT_NE(std::find(lines.begin(), lines.end(),
                            std::string(">>>> ") + odd + ": not found in 2nd directory!"),
                  lines.end())
            << odd;
    }
}

TEST_P(FileAccessTest, EachRunSeesTheFileSystemAfresh) {
    tree.write("L/a", "one");
    tree.write("R/a", "one");
    EXPECT_EQ(runBody().at(1), "a: equal.");
    std::filesystem::rename(tree.path("R"), tree.path("R.old"));
    tree.write("R/a", "two");
    EXPECT_EQ(runBody().at(1), ">>>> a: different contents!");
}

TEST_P(FileAccessTest, ALeftFileThatIsTheRightFileIsEqualWithoutReading) {
    // Enough names that the right directory's listing, not a look per name, tells their kinds.
    tree.mkdir("R");
    for (int i = 0; i < 12; ++i) {
        const auto name = std::string("a").append(std::to_string(i));
        tree.write("L/" + name, "one");
        ASSERT_EQ(::link(tree.path("L/" + name).c_str(), tree.path("R/" + name).c_str()), 0);
    }
    files.onRead = [](const std::string&, int, std::int64_t) -> std::int64_t {
        ADD_FAILURE() << "read";
        return -1;
    };
    run.run();
    EXPECT_EQ(run.state().counters.filesCompared, 12);
    EXPECT_EQ(run.state().counters.differentCount, 0);
}

TEST_P(FileAccessTest, AnUnreadableDirectoryIsADifferenceNotAnEmptyDirectory) {
    tree.write("L/a", "1");
    tree.write("R/a", "1");
    tree.write("L/sub/deeper/b", "1");
    tree.write("L/z/c", "1");
    files.unreadableDirectories = {tree.path("L/sub/deeper")};
    request.options.onlyDifferent = true;
    const auto& rule = test::kBlockRule;
    EXPECT_EQ(runBody(),
              test::expectedBody({rule, "SUBDIR: sub/deeper", rule,
                                  ">>>> sub/deeper/: error reading 1st file!", rule, "SUBDIR: z",
                                  rule, ">>>> c: not found in 2nd directory!"},
                                 3, "0.00 KB", 1, 2));
    using Problems = std::vector<std::pair<std::string, int>>;
    EXPECT_EQ(observer.readProblems, (Problems{{tree.path("L/sub/deeper"), EACCES}}));

    files.unreadableDirectories = {tree.path("L")};
    EXPECT_EQ(runBody(),
              test::expectedBody({">>>> ./: error reading 1st file!"}, 1, "0.00 KB", 0, 1));
}

TEST_P(FileAccessTest, WhatCouldNotBeReadIsNotedWithItsReasonAndAMissingFileIsNot) {
    for (const char* name : {"broken", "loop", "only", "dir", "same"}) {
        tree.write(std::string("L/") + name, "x");
    }
    std::filesystem::remove(tree.path("L/broken"));
    tree.symlink("nowhere", "L/broken");
    tree.symlink("loop", "R/loop");
    tree.mkdir("R/dir");
    tree.write("R/same", "x");
    using Problems = std::vector<std::pair<std::string, int>>;
    const Problems expected = {{tree.path("L/broken"), ENOENT}, {tree.path("R/loop"), ELOOP}};
    for (const bool fast : {false, true}) {
        observer.readProblems.clear();
        request.options.fast = fast;
        const auto body = runBody();
        EXPECT_EQ(body.at(1), ">>>> broken: error reading 1st file!");
        EXPECT_EQ(observer.readProblems, expected) << "fast " << fast;
    }
    observer.readProblems.clear();
    request.options.fast = false;
    files.onRead = [&](const std::string& path, int, std::int64_t count) -> std::int64_t {
        return path == tree.path("R/same") ? -1 : count;
    };
    run.run();
    EXPECT_EQ(observer.readProblems.back(), std::make_pair(tree.path("R/same"), EIO));
}

INSTANTIATE_TEST_SUITE_P(ReadAhead, FileAccessTest,
                         ::testing::Values(PosixFileAccess::ReadAheadMode::WhenNotCached,
                                           PosixFileAccess::ReadAheadMode::Always));

} // namespace
} // namespace quorvel
