// Pairs compared and files read on a thread of their own, ahead of their turn: the run tells the
// same things in the same order as one thread would, a file changed after it was read ahead is
// read again, and nothing is read once the run stops.

#include "engine/AheadComparer.h"
#include "engine/AheadStream.h"
#include "engine/CompareBuffers.h"
#include "engine/PosixFileAccess.h"
#include "engine/ThreadStart.h"
#include "support/EngineFixture.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <mutex>
#include <sys/stat.h>
#include <unistd.h>

namespace quorvel::test {
namespace {

constexpr std::int64_t kBig = 2 * CompareBuffers::kBlockSize + 5;

// The same file access, lent to no other thread and reading nothing ahead.
class OneThreadFileAccess : public PosixFileAccess {
public:
    void willReadWhole(const std::string&) override {}
    std::unique_ptr<FileAccess> forAnotherThread() const override { return nullptr; }
};

// The same run made twice: once with pairs compared ahead on another thread, once on the run's
// thread alone (its file access lends itself to no other).
class AheadRunTest : public EngineFixture {
protected:
    struct Told {
        std::vector<std::string> lines;
        std::vector<std::string> calls;
        std::vector<int> progress;
        std::vector<std::pair<std::string, int>> problems;
    };

    Told runWith(FileAccess& access,
                 const std::function<void(std::string_view)>& onPairBegun = {}) {
        RequestBuilder asked;
        asked.left = request.left;
        asked.right = request.right;
        asked.options = request.options;
        RecordingObserver seen;
        seen.onPairBegun = onPairBegun;
        Report written;
        TestRun once(asked, seen, written, strings, access, ".");
        // No listing is kept from the size pass: each directory is listed ahead on the thread.
        WalkOptions options;
        options.settledNanoseconds = 0;
        options.keptListingBytes = 0;
        once.setWalkOptions(options);
        once.run();
        Told told{{}, seen.calls, seen.progressPositions, seen.readProblems};
        for (std::size_t i = 0; i < written.count(); ++i) {
            told.lines.push_back(written.line(i));
        }
        return told;
    }
};

TEST_F(AheadRunTest, TellsWhatOneThreadWouldInTheSameOrder) {
    // Enough pairs per directory for the thread to take some, and every kind of outcome.
    for (const std::string dir : {"a", "b"}) {
        for (int i = 0; i < 150; ++i) {
            const auto name = dir + "/f" + std::to_string(1000 + i);
            tree.write("L/" + name, "same " + std::to_string(i));
            switch (i % 10) {
            case 1:
                tree.write("R/" + name, "diff " + std::to_string(i)); // same size
                break;
            case 2:
                tree.write("R/" + name, "same");
                break;
            case 3:
                tree.symlink("nowhere", "R/" + name);
                break;
            case 4:
                tree.fifo("R/" + name);
                break;
            case 5:
                tree.mkdir("R/" + name);
                break;
            case 6:
                break; // missing on the right
            default:
                tree.write("R/" + name, "same " + std::to_string(i));
            }
        }
        tree.writeSized("L/" + dir + "/f1040", kBig);
        tree.writeSized("R/" + dir + "/f1040", kBig);
        tree.writeSized("L/" + dir + "/f1070", kBig);
        tree.writeSized("R/" + dir + "/f1070", kBig, 'y');
    }
    tree.write("L/a/deep/x", "x");
    tree.write("R/a/deep/x", "x");
    // By size alone, different contents of the same size pass for equal.
    for (const auto& [fast, differences] :
         {std::pair{false, 2 * (6 * 15 + 1)}, {true, 2 * 5 * 15}}) {
        SCOPED_TRACE(fast ? "by size" : "by contents");
        request.options.fast = fast;
        PosixFileAccess threaded;
        OneThreadFileAccess alone;
        const auto ahead = runWith(threaded);
        const auto single = runWith(alone);
        EXPECT_EQ(ahead.lines, single.lines);
        EXPECT_EQ(ahead.calls, single.calls);
        EXPECT_EQ(ahead.progress, single.progress);
        EXPECT_EQ(ahead.problems, single.problems);
        // Where the system gives no thread, the run's own thread does it all.
        Told refused;
        {
            const ThreadRefusal noThreads;
            PosixFileAccess unthreaded;
            refused = runWith(unthreaded);
        }
        EXPECT_EQ(refused.lines, single.lines);
        EXPECT_EQ(refused.calls, single.calls);
        EXPECT_EQ(refused.problems, single.problems);
        EXPECT_EQ(
            std::count_if(ahead.lines.begin(), ahead.lines.end(),
                          [](const std::string& line) { return line.rfind(">>>> ", 0) == 0; }),
            differences);
    }
}

// A directory listed ahead and changed before its turn is listed again.
TEST_F(AheadRunTest, AFolderChangedAfterItWasListedAheadIsListedAnew) {
    tree.write("L/b/old", "same");
    tree.write("R/b/old", "same");
    for (int i = 0; i < 150; ++i) {
        const auto name = "a/f" + std::to_string(1000 + i);
        tree.write("L/" + name, "same");
        tree.write("R/" + name, "same");
    }
    request.options.onlyDifferent = false;
    PosixFileAccess threaded;
    const auto told = runWith(threaded, [&](std::string_view name) {
        if (name == "f1149") {
            tree.write("L/b/new", "left");
            tree.write("R/b/new", "right");
        }
    });
    EXPECT_NE(std::find(told.lines.begin(), told.lines.end(), ">>>> new: different contents!"),
              told.lines.end());
}

// What the descriptors of every thread of the process lead to.
std::vector<std::string> descriptorTargets() {
    std::vector<std::string> targets;
    for (const auto& task : std::filesystem::directory_iterator("/proc/self/task")) {
        std::error_code error;
        for (const auto& fd : std::filesystem::directory_iterator(task.path() / "fd", error)) {
            targets.push_back(std::filesystem::read_symlink(fd.path(), error).string());
        }
    }
    return targets;
}

// Nothing of a tree is held open by the reading threads once its run has ended: the user may
// unmount the disk while the window waits.
TEST_F(AheadRunTest, NothingOfTheTreeStaysOpenOnceTheRunEnds) {
    for (int i = 0; i < 40; ++i) {
        for (const std::string dir : {"d/", "d/e/", "f/"}) {
            tree.write("L/" + dir + std::to_string(i), "same");
            tree.write("R/" + dir + std::to_string(i), "same");
        }
    }
    tree.writeSized("L/d/big", kBig);
    tree.writeSized("R/d/big", kBig);
    PosixFileAccess threaded;
    runWith(threaded);
    for (const auto& target : descriptorTargets()) {
        EXPECT_NE(target.rfind(tree.root(), 0), 0u) << target;
    }
}

// A right file of a big pair read ahead and then changed is read again as it is now, as if it
// had not been read ahead.
TEST(AheadReaderTest, AFileChangedAfterItWasReadAheadIsReadAnew) {
    struct Row {
        const char* name;
        std::function<void(TempTree&, const std::string&)> change;
        bool open;
        bool missing;
        char first;
    };
    const std::vector<Row> rows = {
        {"unchanged", [](TempTree&, const std::string&) {}, true, false, 'x'},
        {"replaced",
         [](TempTree& tree, const std::string& path) {
             tree.writeSized("new", kBig, 'n');
             std::filesystem::rename(tree.path("new"), path);
         },
         true, false, 'n'},
        {"changed in place",
         [](TempTree&, const std::string& path) {
             const int fd = ::open(path.c_str(), O_WRONLY | O_CLOEXEC);
             ASSERT_EQ(::pwrite(fd, "c", 1, 0), 1);
             ::close(fd);
         },
         true, false, 'c'},
        {"removed", [](TempTree&, const std::string& path) { std::filesystem::remove(path); },
         false, true, 0},
        {"a FIFO now",
         [](TempTree&, const std::string& path) {
             std::filesystem::remove(path);
             ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0);
         },
         false, false, 0},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        TempTree tree;
        tree.writeSized("big", kBig);
        const auto path = tree.path("big");
        PosixFileAccess files;
        files.willReadWhole(path);
        files.settleReadAhead();
        row.change(tree, path);
        auto opened = files.openFile(path, nullptr);
        ASSERT_EQ(opened.isOpen(), row.open);
        EXPECT_EQ(opened.problem.missing, row.missing);
        if (!row.open) {
            continue;
        }
        // Only a file that stayed as it was is taken from the thread.
        EXPECT_EQ(opened.ahead != nullptr, std::string(row.name) == "unchanged");
        std::vector<char> buffer(CompareBuffers::kBlockSize);
        BlockRead read;
        const char* bytes =
            files.readBlockAt(opened, buffer.data(), CompareBuffers::kBlockSize, read);
        ASSERT_EQ(read.count, CompareBuffers::kBlockSize);
        EXPECT_EQ(bytes[0], row.first);
        EXPECT_EQ(bytes[1], row.first == 'c' ? 'x' : row.first);
    }
}

// A file changed in place while it is read, with its size kept: its look once read tells it,
// whether the run's thread read it or the thread reading ahead did.
TEST(AheadReaderTest, AFileChangedWhileItWasReadIsToldSo) {
    // More blocks than the thread reads ahead of the comparison, so the change is made before it
    // reads the last one.
    constexpr auto kBlocks = static_cast<std::int64_t>(AheadReader::kStreamAhead) + 4;
    for (const bool readAhead : {false, true}) {
        for (const bool change : {false, true}) {
            SCOPED_TRACE(std::string(readAhead ? "read ahead" : "read in turn") +
                         (change ? ", changed" : ", unchanged"));
            TempTree tree;
            tree.writeSized("big", kBlocks * CompareBuffers::kBlockSize);
            const auto path = tree.path("big");
            PosixFileAccess files;
            if (readAhead) {
                files.willReadWhole(path);
                files.settleReadAhead();
            }
            auto opened = files.openFile(path, nullptr);
            ASSERT_EQ(opened.ahead != nullptr, readAhead);
            std::vector<char> buffer(CompareBuffers::kBlockSize);
            BlockRead read;
            files.readBlockAt(opened, buffer.data(), CompareBuffers::kBlockSize, read);
            struct stat before {};
            ASSERT_EQ(::stat(path.c_str(), &before), 0);
            if (change) {
                const int fd = ::open(path.c_str(), O_WRONLY | O_CLOEXEC);
                ASSERT_EQ(::pwrite(fd, "c", 1, kBlocks * CompareBuffers::kBlockSize - 1), 1);
                ::close(fd);
                struct stat after {};
                ASSERT_EQ(::stat(path.c_str(), &after), 0);
                if (after.st_ctim.tv_sec == before.st_ctim.tv_sec &&
                    after.st_ctim.tv_nsec == before.st_ctim.tv_nsec) {
                    GTEST_SKIP() << "this file system's change time did not move with a write";
                }
            }
            while (read.count == CompareBuffers::kBlockSize) {
                files.readBlockAt(opened, buffer.data(), CompareBuffers::kBlockSize, read);
            }
            ASSERT_EQ(read.count, 0);
            EXPECT_EQ(files.changedSinceOpened(opened), change);
        }
    }
}

TEST(AheadComparerTest, NothingIsReadOnceStopped) {
    TempTree tree;
    for (int i = 0; i < 200; ++i) {
        tree.write("L/f" + std::to_string(i), "same");
        tree.write("R/f" + std::to_string(i), "same");
    }
    std::atomic<HookedFileAccess*> worker = nullptr;
    AheadComparer ahead([&worker] {
        auto files = std::make_unique<HookedFileAccess>();
        worker = files.get();
        return files;
    });
    for (int i = 0; i < 200; ++i) {
        // Appended: joined with +, GCC's -O3 warns of an overlap that cannot be there.
        std::string name("f");
        name += std::to_string(i);
        ahead.schedule(tree.path("L/" + name), tree.path("R/" + name), false, 4);
    }
    ahead.waitUntilIdle();
    ASSERT_NE(worker.load(), nullptr);
    const auto before = worker.load()->counts.reads;
    EXPECT_GT(before, 0);
    // The one the thread left for the caller is the caller's; the next ones are done.
    EXPECT_FALSE(ahead.take(tree.path("L/f0")));
    const auto second = ahead.take(tree.path("L/f1"));
    ASSERT_TRUE(second);
    EXPECT_EQ(second->outcome.result, CompareResult::Equal);
    ahead.stop();
    const auto atStop = worker.load()->counts.total();
    ahead.waitUntilIdle();
    EXPECT_EQ(worker.load()->counts.total(), atStop);
    EXPECT_FALSE(ahead.take(tree.path("L/f2")));
}

// A pair listed small that grew to many blocks before its turn is left to the run's thread, which
// reads it as a big pair and asks between blocks whether to go on; a wait for the thread asks too.
TEST(AheadComparerTest, APairGrownSinceItWasListedNeverKeepsAnAbortWaiting) {
    TempTree tree;
    constexpr auto kGrown = 40 * CompareBuffers::kBlockSize;
    tree.writeSized("L/g", kGrown);
    tree.writeSized("R/g", kGrown);
    tree.write("L/first", "same");
    tree.write("R/first", "same");
    std::mutex mutex;
    std::condition_variable released;
    bool hold = false;
    bool held = false;
    bool open = false;
    std::atomic<HookedFileAccess*> worker = nullptr;
    AheadComparer ahead([&] {
        auto files = std::make_unique<HookedFileAccess>();
        files->onRead = [&](const std::string&, int, std::int64_t n) {
            std::unique_lock lock(mutex);
            held = hold;
            released.notify_all();
            // Bounded, so that a wait that never asks fails rather than hangs.
            released.wait_for(lock, std::chrono::seconds(60), [&] { return !hold || open; });
            return n;
        };
        worker = files.get();
        return files;
    });
    const auto schedule = [&] {
        // The thread leaves the first pair for the caller.
        ahead.schedule(tree.path("L/first"), tree.path("R/first"), false, 4);
        ahead.schedule(tree.path("L/g"), tree.path("R/g"), false, 4);
    };
    schedule();
    ahead.waitUntilIdle();
    EXPECT_FALSE(ahead.take(tree.path("L/g"), [] { return true; }));
    EXPECT_LE(worker.load()->counts.bytesRead, 4 * CompareBuffers::kBlockSize);

    {
        std::unique_lock lock(mutex);
        hold = true;
        schedule();
        released.wait(lock, [&] { return held; });
    }
    bool asked = false;
    EXPECT_FALSE(ahead.take(tree.path("L/g"), [&] {
        std::lock_guard lock(mutex);
        asked = open = true;
        released.notify_all();
        return false;
    }));
    EXPECT_TRUE(asked);
}

// A stop made just as the thread gives up looking for more pairs and goes to sleep must still
// be seen: a run's end waits for it. (Made many times, at moments spread over that edge.)
TEST(AheadComparerTest, AStopAtAnyMomentIsSeen) {
    TempTree tree;
    tree.write("L/a", "same");
    tree.write("R/a", "same");
    tree.write("L/b", "same");
    tree.write("R/b", "same");
    AheadComparer ahead([] { return std::make_unique<PosixFileAccess>(); });
    for (int i = 0; i < 3000; ++i) {
        ahead.schedule(tree.path("L/a"), tree.path("R/a"), false, 4);
        ahead.schedule(tree.path("L/b"), tree.path("R/b"), false, 4);
        const auto until =
            std::chrono::steady_clock::now() + std::chrono::microseconds(20 + i % 80);
        while (std::chrono::steady_clock::now() < until) {
        }
        ahead.stop();
    }
}

} // namespace
} // namespace quorvel::test
