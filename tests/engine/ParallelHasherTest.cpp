#include "engine/ParallelHasher.h"
#include "engine/ContentHash.h"
#include "engine/PosixFileAccess.h"
#include "engine/ThreadStart.h"
#include "support/TempTree.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <optional>
#include <string>

namespace quorvel {
namespace {

ParallelHasher::MakeFileAccess posixAccess() {
    return [] { return std::make_unique<PosixFileAccess>(); };
}

// "f" and the number, appended: joined with +, GCC's -O3 warns of an overlap that cannot be there.
std::string fileName(int i) {
    std::string name("f");
    name += std::to_string(i);
    return name;
}

TEST(ParallelHasherTest, ResultsComeBackInTheOrderTheFilesWereGiven) {
    test::TempTree tree;
    constexpr int kFiles = 200;
    for (int i = 0; i < kFiles; ++i) {
        // Sizes that vary a lot, so that later files often finish first.
        tree.writeSized(fileName(i), (i % 7) * 70000 + i, static_cast<char>('a' + i % 26));
    }
    ParallelHasher hasher(posixAccess(), 4);
    for (int i = 0; i < kFiles; ++i) {
        hasher.submit(tree.path(fileName(i)));
        if (i == 100) {
            hasher.submit(tree.path("missing"));
        }
    }
    EXPECT_EQ(hasher.inFlight(), static_cast<std::size_t>(kFiles + 1));
    for (int i = 0; i < kFiles; ++i) {
        const auto content = tree.read(fileName(i));
        ContentHash expected;
        expected.add(content);
        const auto hashed = *hasher.next();
        ASSERT_TRUE(hashed.hash) << i;
        EXPECT_EQ(*hashed.hash, expected.digest()) << i;
        EXPECT_EQ(hashed.size, static_cast<std::int64_t>(content.size())) << i;
        if (i == 100) {
            const auto missing = *hasher.next();
            EXPECT_FALSE(missing.hash);
            EXPECT_EQ(missing.errorCode, ENOENT);
        }
    }
    EXPECT_EQ(hasher.inFlight(), 0u);
}

// Where a worker may be held until the test lets it go; every passage is counted.
struct Gate {
    std::mutex mutex;
    std::condition_variable changed;
    int passages = 0;
    bool open = false;

    // Counts a passage, and holds it while the gate is shut when `held` says so of its number.
    // Bounded, so that a worker never let go fails the test rather than hangs it.
    void pass(const std::function<bool(int passage)>& held) {
        std::unique_lock lock(mutex);
        ++passages;
        changed.notify_all();
        if (held(passages)) {
            changed.wait_for(lock, std::chrono::seconds(30), [this] { return open; });
        }
    }
    void release() {
        std::lock_guard lock(mutex);
        open = true;
        changed.notify_all();
    }
};

// Every open but that of the first file given ("first") waits at the gate, whichever worker
// comes to it first.
class GatedAccess : public PosixFileAccess {
public:
    explicit GatedAccess(Gate& gate) : gate_(gate) {}
    OpenedFile openFile(const std::string& path, const DirectoryEntry* listed) override {
        gate_.pass([&path](int) { return !path.ends_with("/first"); });
        return PosixFileAccess::openFile(path, listed);
    }

private:
    Gate& gate_;
};

TEST(ParallelHasherTest, StoppedItReadsNoneOfTheFilesStillQueued) {
    test::TempTree tree;
    tree.write("first", "contents");
    tree.write("f", "contents");
    Gate gate;
    {
        ParallelHasher hasher([&gate] { return std::make_unique<GatedAccess>(gate); }, 2);
        hasher.submit(tree.path("first"));
        for (int i = 0; i < 49; ++i) {
            hasher.submit(tree.path("f"));
        }
        EXPECT_TRUE(hasher.next()->hash);
        std::unique_lock lock(gate.mutex);
        // Both workers hold a file, waiting at the gate.
        gate.changed.wait(lock, [&gate] { return gate.passages == 3; });
        lock.unlock();
        hasher.stop();
        gate.release();
    }
    EXPECT_EQ(gate.passages, 3);
}

// The second read of the run waits at the gate; every read is counted.
class HeldAccess : public PosixFileAccess {
public:
    explicit HeldAccess(Gate& gate) : gate_(gate) {}
    BlockRead readBlock(OpenedFile& file, char* buffer, std::int64_t size) override {
        gate_.pass([](int passage) { return passage == 2; });
        return PosixFileAccess::readBlock(file, buffer, size);
    }

private:
    Gate& gate_;
};

// A manifest of one big file is interrupted: the hashing stops within a block, with workers or,
// where the system gives no thread, on the caller's.
TEST(ParallelHasherTest, AStopIsSeenWithinTheBlockInHand) {
    test::TempTree tree;
    tree.writeSized("big", std::int64_t{4} << 20);
    for (const bool threads : {true, false}) {
        SCOPED_TRACE(threads ? "on a worker" : "no thread to be had");
        std::optional<ThreadRefusal> refusal;
        if (!threads) {
            refusal.emplace();
        }
        Gate gate;
        {
            ParallelHasher hasher([&gate] { return std::make_unique<HeldAccess>(gate); }, 1);
            EXPECT_EQ(hasher.workerCount(), threads ? 1u : 0u);
            hasher.submit(tree.path("big"));
            EXPECT_FALSE(hasher.next([] { return false; }));
            // Only now may the worker read on: its next look at the stop comes after this.
            gate.release();
        }
        EXPECT_LE(gate.passages, 2);
    }
}

TEST(ParallelHasherTest, WithoutThreadsTheCallersThreadHashesEachFileInTurn) {
    test::TempTree tree;
    const ThreadRefusal refusal;
    ParallelHasher hasher(posixAccess(), 4);
    for (int i = 0; i < 3; ++i) {
        tree.write(fileName(i), std::string(static_cast<std::size_t>(i) * 100000, 'a'));
        hasher.submit(tree.path(fileName(i)));
    }
    for (int i = 0; i < 3; ++i) {
        const auto hashed = hasher.next();
        ASSERT_TRUE(hashed && hashed->hash) << i;
        EXPECT_EQ(hashed->size, i * 100000) << i;
    }
    EXPECT_EQ(hasher.inFlight(), 0u);
}

} // namespace
} // namespace quorvel
