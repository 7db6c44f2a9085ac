#include "engine/PairComparer.h"
#include "engine/CompareBuffers.h"
#include "engine/PairRecord.h"
#include "engine/RunState.h"
#include "support/HookedFileAccess.h"
#include "support/RecordingObserver.h"
#include "support/TempTree.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quorvel {
namespace {

using test::HookedFileAccess;
using test::RecordingObserver;
using test::TempTree;

class PairComparerTest : public ::testing::Test {
protected:
    CompareResult compare(const std::string& a, const std::string& b, bool fast = false) {
        state.options.fast = fast;
        state.progress.currentFileName = a;
        state.progress.currentFileSize = files.lookUpFile(tree.path(a)).size.value_or(0);
        observer.pairBegun(a);
        return comparer.comparePair(tree.path(a), tree.path(b)).result;
    }

    TempTree tree;
    RecordingObserver observer;
    HookedFileAccess files;
    CompareBuffers buffers;
    RunState state;
    PairComparer comparer{state, observer, files, buffers};
};

TEST_F(PairComparerTest, LengthsAroundTheBlockSizeAreEqualWhenTheBytesAre) {
    for (std::int64_t size : {0, 1, 199999, 200000, 200001, 400000}) {
        tree.writeSized("a", size);
        tree.writeSized("b", size);
        EXPECT_EQ(compare("a", "b"), CompareResult::Equal) << size;
    }
    EXPECT_EQ(files.descriptorsLeftOpen(), 0) << "every file opened is closed again";
}

TEST_F(PairComparerTest, ADifferingByteIsFoundWhereverItLies) {
    const std::int64_t size = 400001;
    for (std::int64_t at : {std::int64_t{0}, std::int64_t{199999}, std::int64_t{200000},
                            std::int64_t{250000}, size - 1}) {
        std::string content(static_cast<std::size_t>(size), 'x');
        tree.write("a", content);
        content[static_cast<std::size_t>(at)] = 'y';
        tree.write("b", content);
        EXPECT_EQ(compare("a", "b"), CompareResult::DifferentContents) << at;
    }
    EXPECT_EQ(files.descriptorsLeftOpen(), 0) << "every file opened is closed again";
}

TEST_F(PairComparerTest, TheSideThatEndsFirstIsNamedTruncated) {
    tree.writeSized("full", 200001);
    tree.writeSized("block", 200000);
    EXPECT_EQ(compare("block", "full"), CompareResult::FirstTruncated);
    tree.writeSized("hundred", 100);
    tree.writeSized("fifty", 50);
    EXPECT_EQ(compare("hundred", "fifty"), CompareResult::SecondTruncated);
    tree.writeSized("other", 50, 'z');
    EXPECT_EQ(compare("hundred", "other"), CompareResult::DifferentContents);
}

TEST_F(PairComparerTest, AMissingOrNonRegularFileIsAResultNotAHang) {
    tree.write("a", "abc");
    tree.mkdir("dir");
    tree.fifo("pipe");
    EXPECT_EQ(compare("missing", "a"), CompareResult::ErrorReading1st);
    EXPECT_EQ(compare("a", "missing"), CompareResult::NotFoundIn2nd);
    EXPECT_EQ(compare("a", "dir"), CompareResult::NotFoundIn2nd);
    EXPECT_EQ(compare("a", "pipe"), CompareResult::NotFoundIn2nd);
    EXPECT_EQ(compare("pipe", "a"), CompareResult::ErrorReading1st);
    EXPECT_EQ(compare("missing", "missing"), CompareResult::ErrorReading1st);
    EXPECT_EQ(files.descriptorsLeftOpen(), 0) << "every file opened is closed again";
}

TEST_F(PairComparerTest, FastModeLooksAtSizesAndOpensNothing) {
    tree.write("a", "abc");
    tree.write("b", "xyz");
    tree.write("c", "abcd");
    tree.fifo("pipe");
    EXPECT_EQ(compare("a", "b", true), CompareResult::EqualMaybe);
    EXPECT_EQ(compare("a", "c", true), CompareResult::DifferentSize);
    EXPECT_EQ(compare("a", "missing", true), CompareResult::NotFoundIn2nd);
    EXPECT_EQ(compare("missing", "gone", true), CompareResult::ErrorReading1st);
    EXPECT_EQ(compare("a", "pipe", true), CompareResult::NotFoundIn2nd);
    EXPECT_EQ(files.counts.openHandles(), 0);
}

TEST(CompareBuffers, StartOnPageBoundariesSoBlocksAreCopiedAtFullSpeed) {
    CompareBuffers buffers;
    for (const char* buffer : {buffers.first(), buffers.second()}) {
        EXPECT_EQ(reinterpret_cast<std::uintptr_t>(buffer) % CompareBuffers::kAlignment, 0U);
    }
    // The sanitizer build tells a buffer shorter than its size.
    buffers.first()[CompareBuffers::kBufferSize - 1] = 'x';
    buffers.second()[CompareBuffers::kBufferSize - 1] = 'y';
}

TEST_F(PairComparerTest, DifferentContentsIsCheckedOnceMoreFromTheStart) {
    std::string content(300000, 'x');
    tree.write("a", content);
    content[250000] = 'y';
    tree.write("b", content);
    EXPECT_EQ(compare("a", "b"), CompareResult::DifferentContents);
    // Two attempts of two blocks each; the percentage restarts for the second.
    EXPECT_EQ(files.counts.openHandles(), 4);
    const std::vector<std::string> expected{"a", "a  66%", "a  100%", "a  66%", "a  100%"};
    EXPECT_EQ(observer.fileStatuses, expected);
}

// A writer changes the right file while it is read, so that at every moment it differs from the
// left one: the start after it was read, the end before it is read.
TEST_F(PairComparerTest, AFileThatChangesWhileItIsReadIsNeverEqual) {
    struct Row {
        const char* name;
        bool everyAttempt; // the writer puts the end back once it is read, too
        CompareResult result;
    };
    const Row rows[] = {
        {"changed during the first attempt only", false, CompareResult::DifferentContents},
        {"changed during every attempt", true, CompareResult::NotFoundIn2nd},
    };
    constexpr std::int64_t kSize = 2 * CompareBuffers::kBlockSize + 1;
    bool stampsMoved = true;
    const auto put = [&](std::int64_t offset, char byte) {
        const auto path = tree.path("b");
        struct stat before {};
        struct stat after {};
        const int fd = ::open(path.c_str(), O_WRONLY | O_CLOEXEC);
        ASSERT_GE(fd, 0);
        ::fstat(fd, &before);
        ASSERT_EQ(::pwrite(fd, &byte, 1, offset), 1);
        ::fstat(fd, &after);
        ::close(fd);
        stampsMoved = stampsMoved && (before.st_ctim.tv_sec != after.st_ctim.tv_sec ||
                                      before.st_ctim.tv_nsec != after.st_ctim.tv_nsec);
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        tree.writeSized("a", kSize, 'x');
        tree.writeSized("b", kSize, 'x');
        put(kSize - 1, 'y');
        observer.readProblems.clear();
        int attempts = 0;
        files.onRead = [&](const std::string& path, int read, std::int64_t n) -> std::int64_t {
            if (path != tree.path("b")) {
                return n;
            }
            attempts += read == 1 ? 1 : 0;
            if (read == 1 && (attempts == 1 || row.everyAttempt)) {
                put(0, 'y');
                put(kSize - 1, 'x');
            } else if (read == 3 && row.everyAttempt) {
                put(0, 'x');
                put(kSize - 1, 'y');
            }
            return n;
        };
        const auto outcome = comparer.comparePair(tree.path("a"), tree.path("b"));
        if (!stampsMoved) {
            GTEST_SKIP() << "this file system's change time did not move with a write";
        }
        EXPECT_EQ(outcome.result, row.result);
        const bool trouble = row.result == CompareResult::NotFoundIn2nd;
        EXPECT_EQ(outcome.errorCode, trouble ? kChangedWhileRead : 0);
        const std::vector<std::pair<std::string, int>> told{{tree.path("b"), kChangedWhileRead}};
        EXPECT_EQ(observer.readProblems, trouble ? told : decltype(told){});
    }
}

TEST_F(PairComparerTest, AnAbortDuringTheReadWinsOverADifference) {
    std::string content(400000, 'x');
    tree.write("a", content);
    content[100] = 'y';
    tree.write("b", content);
    observer.onProcessEvents = [&](int n) {
        if (n == 2) { // after the first block
            state.abortRequested = true;
        }
    };
    EXPECT_EQ(compare("a", "b"), CompareResult::Interrupted);
    EXPECT_EQ(files.counts.openHandles(), 2) << "an interrupted pair is not tried again";
}

TEST_F(PairComparerTest, AFailedReadNamesTheSideThatFailedEvenWhenBothFail) {
    tree.writeSized("a", 300000);
    tree.writeSized("b", 300000);
    files.onRead = [&](const std::string& path, int read, std::int64_t n) -> std::int64_t {
        return read == 2 && path == tree.path("a") ? -1 : n;
    };
    EXPECT_EQ(compare("a", "b"), CompareResult::ErrorReading1st);
    files.onRead = [&](const std::string& path, int read, std::int64_t n) -> std::int64_t {
        return read == 2 && path == tree.path("b") ? -1 : n;
    };
    EXPECT_EQ(compare("a", "b"), CompareResult::NotFoundIn2nd);
    files.onRead = [](const std::string&, int read, std::int64_t n) -> std::int64_t {
        return read == 2 ? -1 : n;
    };
    EXPECT_EQ(compare("a", "b"), CompareResult::ErrorReading1st);
    EXPECT_EQ(files.descriptorsLeftOpen(), 0) << "every file opened is closed again";
}

TEST_F(PairComparerTest, TheSameFileOnBothSidesIsEqualWithoutReading) {
    tree.writeSized("a", 1000);
    tree.symlink(tree.path("a"), "link");
    files.onRead = [](const std::string&, int, std::int64_t) -> std::int64_t {
        ADD_FAILURE() << "read";
        return -1;
    };
    EXPECT_EQ(compare("a", "link"), CompareResult::Equal);
    EXPECT_EQ(state.progress.currentFileDone, 1000);
}

TEST_F(PairComparerTest, ProgressOfAnEmptyPairIsZeroPercentAndTheBarStaysInRange) {
    tree.write("a", "");
    tree.write("b", "");
    state.progress.grandTotal = 0;
    EXPECT_EQ(compare("a", "b"), CompareResult::Equal);
    EXPECT_EQ(observer.fileStatuses.back(), "a  0%");

    // A file that grew after it was listed: the bar never passes its end.
    tree.writeSized("big", 5000);
    tree.writeSized("big2", 5000);
    state.progress.grandTotal = 100;
    state.progress.currentFileSize = 100;
    state.progress.currentFileDone = 0;
    observer.progressPositions.clear();
    EXPECT_EQ(comparer.comparePair(tree.path("big"), tree.path("big2")).result,
              CompareResult::Equal);
    EXPECT_EQ(observer.progressPositions, std::vector<int>{100});
    EXPECT_EQ(observer.fileStatuses.back(), "a  100%");
}

} // namespace
} // namespace quorvel
