#include "engine/PosixFileAccess.h"
#include "engine/ReadAheadQueue.h"
#include "engine/ReadAheadSwitch.h"
#include "support/TempTree.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/resource.h>
#include <unistd.h>
#include <vector>

namespace quorvel {
namespace {

bool isOpen(int fd) {
    return ::fcntl(fd, F_GETFD) != -1;
}

AheadFile ahead(const std::string& path) {
    AheadFile file{path, {}};
    file.file.descriptor = FileDescriptor(::open("/dev/null", O_RDONLY));
    return file;
}

TEST(ReadAheadQueue, TakesInAnyOrderAndClosesWhatItDrops) {
    ReadAheadQueue queue(3);
    queue.push(ahead("a"));
    queue.push(ahead("b"));
    auto c = ahead("c");
    const int cFd = c.file.descriptor.get();
    queue.push(std::move(c));
    const auto b = queue.take("b");
    ASSERT_TRUE(b);
    EXPECT_EQ(b->path, "b");
    queue.push(ahead("d"));
    EXPECT_TRUE(queue.take("a")); // the oldest is first in line
    queue.push(ahead("e"));
    queue.push(ahead("f")); // full: "c" is dropped and closed
    EXPECT_FALSE(queue.take("c"));
    EXPECT_FALSE(isOpen(cFd));
    for (const char* name : {"d", "e", "f"}) {
        const auto taken = queue.take(name);
        ASSERT_TRUE(taken) << name;
        EXPECT_TRUE(isOpen(taken->file.descriptor.get()));
    }
    EXPECT_FALSE(queue.take("d"));
    queue.push(ahead("g"));
    queue.clear();
    EXPECT_FALSE(queue.take("g"));
}

// Lowers the descriptor limit of the process to `extra` above the descriptors open now, and
// restores it when the test ends.
class DescriptorLimit {
public:
    explicit DescriptorLimit(int extra) {
        const int highest = ::open("/dev/null", O_RDONLY);
        ::close(highest);
        ::getrlimit(RLIMIT_NOFILE, &saved_);
        rlimit lowered = saved_;
        lowered.rlim_cur = static_cast<rlim_t>(highest + extra);
        ::setrlimit(RLIMIT_NOFILE, &lowered);
    }
    ~DescriptorLimit() { ::setrlimit(RLIMIT_NOFILE, &saved_); }

private:
    rlimit saved_{};
};

// Every descriptor the limit still allows, held until the end of the scope.
class SpentDescriptors {
public:
    SpentDescriptors() {
        for (int fd; (fd = ::open("/dev/null", O_RDONLY)) >= 0;) {
            spent_.push_back(fd);
        }
    }
    ~SpentDescriptors() {
        for (int fd : spent_) {
            ::close(fd);
        }
    }

private:
    std::vector<int> spent_;
};

// The file opens, and its first byte is `first`.
void expectOpensWith(PosixFileAccess& files, const std::string& path, char first) {
    auto opened = files.openFile(path, nullptr);
    EXPECT_TRUE(opened.isOpen()) << path;
    char c = 0;
    EXPECT_EQ(files.readBlock(opened, &c, 1).count, 1) << path;
    EXPECT_EQ(c, first) << path;
}

TEST(ReadAhead, FilesHeldAheadNeverCostAFileItsComparison) {
    test::TempTree tree;
    for (int i = 0; i < 40; ++i) {
        tree.write(std::to_string(i), "x");
    }
    // Just above what is open now: reading ahead may hold at most a quarter of it.
    const DescriptorLimit limit(24);
    PosixFileAccess files(PosixFileAccess::ReadAheadMode::Always);
    for (int i = 0; i < 40; ++i) {
        files.willRead(tree.root(), std::to_string(i), false);
    }
    tree.write("late", "y");
    // Use up what is left, then open a file nobody read ahead.
    const SpentDescriptors spent;
    expectOpensWith(files, tree.path("late"), 'y');
}

TEST(ReadAhead, DirectoriesKeptOpenNeverCostAFileItsComparison) {
    test::TempTree tree;
    for (const char* side : {"L/a", "L/b", "R/a", "R/b", "S/a"}) {
        tree.write(side, side);
    }
    const DescriptorLimit limit(24);
    PosixFileAccess files;
    // Kept open to find their names by, from a directory's second name on.
    for (const char* name : {"L/a", "L/b", "R/a", "R/b"}) {
        ASSERT_TRUE(files.openFile(tree.path(name), nullptr).isOpen());
    }
    // The sanitizers' first check of a call's type needs descriptors of its own: made now.
    files.stopReadingAhead();
    // None left for a third directory's file but those the two directories hold.
    const SpentDescriptors spent;
    expectOpensWith(files, tree.path("S/a"), 'S');
}

TEST(ReadAhead, ANameGivenToAFifoAfterItsDirectoryWasListedIsNotOpened) {
    test::TempTree tree;
    for (int i = 0; i < 12; ++i) {
        tree.write(std::to_string(i), "");
    }
    PosixFileAccess files;
    // Enough opens that one listing of the directory tells the kinds of its names.
    for (int i = 0; i < 10; ++i) {
        ASSERT_TRUE(files.openFile(tree.path(std::to_string(i)), nullptr).isOpen()) << i;
    }
    ASSERT_EQ(::unlink(tree.path("11").c_str()), 0);
    tree.fifo("11");
    const auto opened = files.openFile(tree.path("11"), nullptr);
    EXPECT_FALSE(opened.isOpen()) << "a FIFO must never pass for an empty file";
    EXPECT_EQ(opened.problem.errorCode, 0) << "not a failure of the system: not a file";
}

// Whether the page at `offset` of the file is in memory.
bool pageInMemory(int fd, off_t offset) {
    const long page = ::sysconf(_SC_PAGESIZE);
    void* map = ::mmap(nullptr, static_cast<std::size_t>(page), PROT_READ, MAP_SHARED, fd, offset);
    unsigned char in = 0;
    const bool ok = map != MAP_FAILED && ::mincore(map, static_cast<std::size_t>(page), &in) == 0;
    if (map != MAP_FAILED) {
        ::munmap(map, static_cast<std::size_t>(page));
    }
    return ok && (in & 1) != 0;
}

// A first read that would not wait stops where the memory ends; a file that grew since its
// listing is read on to its end all the same.
TEST(ReadAhead, AFileLongerThanItsListingIsReadToItsEndWhenItsTailIsNotInMemory) {
    test::TempTree tree;
    constexpr off_t kCached = 65536;
    constexpr std::int64_t kBlock = 200000;
    const int fd = ::open(tree.path("f").c_str(), O_CREAT | O_RDWR | O_CLOEXEC, 0600);
    ASSERT_GE(fd, 0);
    // Page by page, so that the memory holding it can be let go page by page too.
    const std::string page(4096, 'x');
    for (int i = 0; i < 1024; ++i) {
        ASSERT_EQ(::write(fd, page.data(), page.size()), 4096);
    }
    ::fdatasync(fd);
    ::posix_fadvise(fd, kCached, 0, POSIX_FADV_DONTNEED);
    const bool tailDropped = pageInMemory(fd, 0) && !pageInMemory(fd, 2 * kCached);
    ::close(fd);
    if (!tailDropped) {
        GTEST_SKIP() << "this file system keeps the pages in memory";
    }
    PosixFileAccess files;
    const DirectoryEntry listed{"f", DirectoryEntry::Kind::File, 4096}; // before it grew
    auto opened = files.openFile(tree.path("f"), &listed);
    ASSERT_TRUE(opened.isOpen());
    std::vector<char> buffer(kBlock);
    EXPECT_EQ(files.readBlock(opened, buffer.data(), kBlock).count, kBlock);
}

// A few files the system dropped from a cached tree turn fetching ahead on; the files after
// them, found in memory, turn it off again for the rest of the run. The misses are told through
// the switch's own step: whether the kernel keeps a dropped page out until it is read is its
// choice, not the switch's.
TEST(ReadAhead, FetchingAheadStopsOnceFilesAreFoundInMemoryAgain) {
    test::TempTree tree;
    tree.write("c", std::string(4096, 'x'));
    const FileDescriptor cached(::open(tree.path("c").c_str(), O_RDONLY | O_CLOEXEC));
    ReadAheadSwitch fetching(ReadAheadSwitch::Mode::WhenNotCached);
    fetching.declined(false);
    EXPECT_FALSE(fetching.on()) << "one miss is no pattern";
    fetching.declined(false);
    ASSERT_TRUE(fetching.on());
    for (int i = 0; i < 1000 && fetching.on(); ++i) {
        if (!pageInMemory(cached.get(), 0)) {
            GTEST_SKIP() << "the kernel dropped a page just written before it was looked at";
        }
        EXPECT_TRUE(fetching.cachedBeforeFetch(cached.get()));
    }
    EXPECT_FALSE(fetching.on());
}

} // namespace
} // namespace quorvel
