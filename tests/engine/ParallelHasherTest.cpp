#include "engine/ParallelHasher.h"
#include "engine/ContentHash.h"
#include "engine/PosixFileAccess.h"
#include "support/TempTree.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cerrno>
#include <string>

namespace quorvel {
namespace {

ParallelHasher::MakeFileAccess posixAccess() {
    return [] { return std::make_unique<PosixFileAccess>(); };
}

TEST(ParallelHasherTest, ResultsComeBackInTheOrderTheFilesWereGiven) {
    test::TempTree tree;
    constexpr int kFiles = 200;
    for (int i = 0; i < kFiles; ++i) {
        // Sizes that vary a lot, so that later files often finish first.
        tree.writeSized("f" + std::to_string(i), (i % 7) * 70000 + i,
                        static_cast<char>('a' + i % 26));
    }
    ParallelHasher hasher(posixAccess(), 4);
    for (int i = 0; i < kFiles; ++i) {
        hasher.submit(tree.path("f" + std::to_string(i)));
        if (i == 100) {
            hasher.submit(tree.path("missing"));
        }
    }
    EXPECT_EQ(hasher.inFlight(), static_cast<std::size_t>(kFiles + 1));
    for (int i = 0; i < kFiles; ++i) {
        const auto content = tree.read("f" + std::to_string(i));
        ContentHash expected;
        expected.add(content);
        const auto hashed = hasher.next();
        ASSERT_TRUE(hashed.hash) << i;
        EXPECT_EQ(*hashed.hash, expected.digest()) << i;
        EXPECT_EQ(hashed.size, static_cast<std::int64_t>(content.size())) << i;
        if (i == 100) {
            const auto missing = hasher.next();
            EXPECT_FALSE(missing.hash);
            EXPECT_EQ(missing.errorCode, ENOENT);
        }
    }
    EXPECT_EQ(hasher.inFlight(), 0u);
}

// Counts the files opened by every worker.
class CountingAccess : public PosixFileAccess {
public:
    explicit CountingAccess(std::atomic<int>& opens) : opens_(opens) {}
    OpenedFile openFile(const std::string& path, const DirectoryEntry* listed) override {
        ++opens_;
        return PosixFileAccess::openFile(path, listed);
    }

private:
    std::atomic<int>& opens_;
};

TEST(ParallelHasherTest, GoesAwayWithoutReadingTheFilesStillQueued) {
    test::TempTree tree;
    tree.writeSized("big", 4 << 20);
    std::atomic<int> opens{0};
    {
        ParallelHasher hasher([&opens] { return std::make_unique<CountingAccess>(opens); }, 2);
        for (int i = 0; i < 50; ++i) {
            hasher.submit(tree.path("big"));
        }
        EXPECT_TRUE(hasher.next().hash);
    }
    EXPECT_LT(opens.load(), 10);
}

} // namespace
} // namespace quorvel
