// Files that change between the listing and the read, or while they are read, and reads that
// fail or come back short: the pair gets a result from what was read, and the progress stays
// within 0..100.

#include "support/EngineFixture.h"

#include <algorithm>
#include <cctype>
#include <fcntl.h>
#include <filesystem>
#include <functional>
#include <optional>
#include <ostream>
#include <sys/stat.h>
#include <unistd.h>

namespace quorvel {

static void PrintTo(PosixFileAccess::ReadAheadMode mode, std::ostream* out) {
    *out << (mode == PosixFileAccess::ReadAheadMode::Always ? "read ahead" : "read ahead if slow");
}

namespace test {
namespace {

constexpr std::int64_t kSize = 500000; // two and a half blocks

void resize(const std::string& path, std::int64_t size) {
    ASSERT_EQ(::truncate(path.c_str(), size), 0) << path;
}

void append(const std::string& path, std::int64_t count) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_APPEND | O_CLOEXEC);
    ASSERT_GE(fd, 0) << path;
    const std::string bytes(static_cast<std::size_t>(count), 'x');
    ASSERT_EQ(::write(fd, bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
    ::close(fd);
}

void overwriteAt(const std::string& path, std::int64_t offset, const std::string& bytes) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CLOEXEC);
    ASSERT_GE(fd, 0) << path;
    ASSERT_EQ(::pwrite(fd, bytes.data(), bytes.size(), offset), static_cast<ssize_t>(bytes.size()));
    ::close(fd);
}

struct Change {
    const char* name;
    std::function<void(const std::string& left, const std::string& right)> apply;
    const char* result;
};

void PrintTo(const Change& change, std::ostream* out) {
    *out << change.name;
}

// The listing the comparison reads is stale by the time its files are read.
class ChangedAfterListingTest
    : public EngineFixture,
      public ::testing::WithParamInterface<std::tuple<Change, PosixFileAccess::ReadAheadMode>> {
protected:
    ChangedAfterListingTest() : EngineFixture(std::get<1>(GetParam())) {
        // Nothing kept between the passes: the second listing is the comparison's.
        WalkOptions options;
        options.keptListingBytes = 0;
        run.setWalkOptions(options);
    }
};

TEST_P(ChangedAfterListingTest, ThePairHasTheResultOfWhatWasRead) {
    const auto& change = std::get<0>(GetParam());
    tree.writeSized("L/f", kSize);
    tree.writeSized("R/f", kSize);
    tree.writeSized("L/g", 10);
    tree.writeSized("R/g", 10);
    files.afterListing = [&](const std::string& path, int listing) {
        if (path == tree.path("L") && listing == 2) {
            change.apply(tree.path("L/f"), tree.path("R/f"));
        }
    };
    const auto body = runBody();
    ASSERT_EQ(body.size(), 7u);
    EXPECT_EQ(body[1], change.result);
    EXPECT_EQ(body[2], "g: equal.");
    EXPECT_EQ(body[4], "Comparison terminated.");
    EXPECT_EQ(run.state().counters.filesCompared, 2);
    expectNothingLeftOpen();
    expectProgressWithinBounds();
    EXPECT_EQ(files.openedOtherThanFiles, std::vector<std::string>{}) << change.name;
}

const Change kChanges[] = {
    {"left shrinks", [](auto& l, auto&) { resize(l, kSize / 2); },
     ">>>> f: 1st file appears truncated!"},
    {"left grows", [](auto& l, auto&) { append(l, kSize); }, ">>>> f: 2nd file appears truncated!"},
    {"left vanishes", [](auto& l, auto&) { std::filesystem::remove(l); },
     ">>>> f: error reading 1st file!"},
    {"left becomes a fifo",
     [](auto& l, auto&) {
         std::filesystem::remove(l);
         ASSERT_EQ(::mkfifo(l.c_str(), 0600), 0);
     },
     ">>>> f: error reading 1st file!"},
    {"right shrinks", [](auto&, auto& r) { resize(r, 1); }, ">>>> f: 2nd file appears truncated!"},
    {"right grows", [](auto&, auto& r) { append(r, 1); }, ">>>> f: 1st file appears truncated!"},
    {"right vanishes", [](auto&, auto& r) { std::filesystem::remove(r); },
     ">>>> f: not found in 2nd directory!"},
    {"right becomes a fifo",
     [](auto&, auto& r) {
         std::filesystem::remove(r);
         ASSERT_EQ(::mkfifo(r.c_str(), 0600), 0);
     },
     ">>>> f: not found in 2nd directory!"},
    {"left becomes a link to a device",
     [](auto& l, auto&) {
         std::filesystem::remove(l);
         std::filesystem::create_symlink("/dev/zero", l);
     },
     ">>>> f: error reading 1st file!"},
    {"both grow",
     [](auto& l, auto& r) {
         append(l, kSize);
         append(r, kSize);
     },
     "f: equal."},
    {"both become empty",
     [](auto& l, auto& r) {
         resize(l, 0);
         resize(r, 0);
     },
     "f: equal."},
};

INSTANTIATE_TEST_SUITE_P(
    Changes, ChangedAfterListingTest,
    ::testing::Combine(::testing::ValuesIn(kChanges),
                       ::testing::Values(PosixFileAccess::ReadAheadMode::WhenNotCached,
                                         PosixFileAccess::ReadAheadMode::Always)),
    [](const auto& info) {
        std::string name = std::get<0>(info.param).name;
        for (auto& c : name) {
            c = std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
        }
        return name + (std::get<1>(info.param) == PosixFileAccess::ReadAheadMode::Always
                           ? "_readAhead"
                           : "");
    });

class ChangedWhileReadTest : public EngineFixture {
protected:
    ChangedWhileReadTest() {
        tree.writeSized("L/f", kSize);
        tree.writeSized("R/f", kSize);
    }

    // Runs with `change` made once, after the first block of the named file was read.
    std::string resultWhen(const std::string& side,
                           const std::function<void(const std::string&)>& change) {
        bool changed = false;
        files.onRead = [&](const std::string& path, int read, std::int64_t count) {
            if (!changed && read == 1 && path == tree.path(side + "/f")) {
                changed = true;
                change(path);
            }
            return count;
        };
        const auto body = runBody();
        EXPECT_TRUE(changed);
        expectProgressWithinBounds();
        expectNothingLeftOpen();
        return body.size() > 1 ? body[1] : "";
    }
};

TEST_F(ChangedWhileReadTest, ALeftFileThatShrinksGrowsOrVanishesMidway) {
    EXPECT_EQ(resultWhen("L", [](const std::string& p) { resize(p, 300000); }),
              ">>>> f: 1st file appears truncated!");
    tree.writeSized("L/f", kSize);
    EXPECT_EQ(resultWhen("L", [](const std::string& p) { append(p, 1); }),
              ">>>> f: 2nd file appears truncated!");
    tree.writeSized("L/f", kSize);
    // Its change time moves: it is compared once more, and is no longer there.
    EXPECT_EQ(resultWhen("L", [](const std::string& p) { std::filesystem::remove(p); }),
              ">>>> f: error reading 1st file!");
}

TEST_F(ChangedWhileReadTest, ARightFileThatShrinksGrowsOrChangesMidway) {
    EXPECT_EQ(resultWhen("R", [](const std::string& p) { resize(p, 200001); }),
              ">>>> f: 2nd file appears truncated!");
    tree.writeSized("R/f", kSize);
    EXPECT_EQ(resultWhen("R", [](const std::string& p) { append(p, kSize); }),
              ">>>> f: 1st file appears truncated!");
    tree.writeSized("R/f", kSize);
    // Found in the first attempt and again in the second, from the beginning.
    EXPECT_EQ(resultWhen("R", [](const std::string& p) { overwriteAt(p, 400000, "y"); }),
              ">>>> f: different contents!");
}

// Once enough names of the right directory were asked for, one listing tells all their kinds, as
// a look per name would have a moment before. A name replaced after that listing is opened
// without blocking and read for what it gives: the run goes on and both pairs differ.
TEST_F(ChangedWhileReadTest, ANamesakeThatStopsBeingAFileAfterItsDirectoryWasListed) {
    for (char c = 'a'; c <= 't'; ++c) {
        tree.write(std::string("L/") + c, "same");
        tree.write(std::string("R/") + c, "same");
    }
    bool changed = false;
    files.onRead = [&](const std::string& path, int, std::int64_t count) {
        if (!changed && path == tree.path("L/p")) {
            changed = true;
            std::filesystem::remove(tree.path("R/r"));
            EXPECT_EQ(::mkfifo(tree.path("R/r").c_str(), 0600), 0);
            std::filesystem::remove(tree.path("R/s"));
            std::filesystem::create_symlink("/dev/zero", tree.path("R/s"));
        }
        return count;
    };
    const auto body = runBody();
    ASSERT_TRUE(changed);
    ASSERT_GE(body.size(), 21u);
    EXPECT_EQ(body[18].rfind(">>>> r: ", 0), 0u) << body[18];
    EXPECT_EQ(body[19].rfind(">>>> s: ", 0), 0u) << body[19];
    EXPECT_EQ(run.state().counters.differentCount, 2);
}

// A name that was no file when its directory was listed is looked at again before it is said to
// be missing: it may be one by the time its pair comes up.
TEST_F(ChangedWhileReadTest, ANamesakeThatBecomesAFileAfterItsDirectoryWasListed) {
    for (char c = 'a'; c <= 't'; ++c) {
        tree.write(std::string("L/") + c, "same");
        tree.write(std::string("R/") + c, "same");
    }
    tree.write("L/zz", "same");
    tree.mkdir("R/zz");
    files.onRead = [&](const std::string& path, int, std::int64_t count) {
        if (path == tree.path("L/p")) {
            std::filesystem::remove(tree.path("R/zz"));
            tree.write("R/zz", "same");
        }
        return count;
    };
    const auto body = runBody();
    ASSERT_GE(body.size(), 22u);
    EXPECT_EQ(body[21], "zz: equal.");
    EXPECT_EQ(run.state().counters.differentCount, 0);
}

// The comparison sees each directory as it is when the walk reaches it, not as the size pass
// listed it.
class ChangedBetweenPassesTest : public EngineFixture {
protected:
    ChangedBetweenPassesTest() {
        for (const char* name : {"L/A/a", "R/A/a", "L/Z/log", "R/Z/log", "L/P/p"}) {
            tree.write(name, "same");
        }
    }
    std::vector<std::string> runChanging(const std::function<void()>& change) {
        observer.onDirectoryStatusShown = change;
        return runBody();
    }
    static bool has(const std::vector<std::string>& lines, const std::string& line) {
        return std::find(lines.begin(), lines.end(), line) != lines.end();
    }
};

TEST_F(ChangedBetweenPassesTest, NewFilesAndFoldersAreComparedAndGoneOnesLeftOut) {
    const auto body = runChanging([&] {
        tree.write("L/Z/g", "new");
        tree.write("R/Z/g", "different");
        tree.write("L/Z/N/n", "same");
        tree.write("R/Z/N/n", "same");
        std::filesystem::remove(tree.path("L/A/a"));
    });
    EXPECT_TRUE(has(body, ">>>> g: different contents!"));
    EXPECT_TRUE(has(body, "SUBDIR: Z/N"));
    EXPECT_TRUE(has(body, "n: equal."));
    EXPECT_FALSE(has(body, "a: equal.")) << "a file gone before its turn is not compared";
    EXPECT_EQ(observer.readProblems.size(), 0u);
    EXPECT_EQ(run.state().counters.filesCompared, 4); // g, log, n, p
}

// A directory made in the place of a removed one may get its inode; only its times show it is
// another directory.
TEST_F(ChangedBetweenPassesTest, AFolderWithTheInodeOfARemovedOneIsListedAnew) {
    WalkOptions options;
    options.settledNanoseconds = 0; // keep every listing
    run.setWalkOptions(options);
    std::optional<DirectoryLook> removed;
    files.onDirectoryLook = [&](const std::string& path, DirectoryLook& look) {
        if (path == tree.path("L/P") && !removed) {
            removed = look;
        } else if (path == tree.path("L/Q") && removed) {
            look.identity = removed->identity;
            look.stamp.changed = removed->stamp.changed + 1;
        }
    };
    tree.write("L/Q/old", "same");
    const auto body = runChanging([&] {
        std::filesystem::remove_all(tree.path("L/P"));
        std::filesystem::remove_all(tree.path("L/Q"));
        tree.write("L/Q/q", "same");
        tree.write("R/Q/q", "same");
    });
    ASSERT_TRUE(removed);
    EXPECT_TRUE(has(body, "q: equal."));
    EXPECT_FALSE(has(body, ">>>> p: error reading 1st file!"));
    EXPECT_FALSE(has(body, ">>>> old: error reading 1st file!"));
}

TEST_F(ChangedWhileReadTest, FailedAndShortReadsThroughTheReader) {
    const auto fault = [&](const std::string& side, int atRead, std::int64_t count) {
        files.onRead = [&, side, atRead, count](const std::string& path, int read,
                                                std::int64_t n) -> std::int64_t {
            return path == tree.path(side + "/f") && read == atRead ? count : n;
        };
        const auto body = runBody();
        expectProgressWithinBounds();
        expectNothingLeftOpen();
        return body.at(1);
    };
    EXPECT_EQ(fault("L", 2, -1), ">>>> f: error reading 1st file!");
    EXPECT_EQ(fault("R", 1, -1), ">>>> f: not found in 2nd directory!");
    EXPECT_EQ(fault("L", 1, 1000), ">>>> f: 1st file appears truncated!");
    EXPECT_EQ(fault("R", 3, 0), ">>>> f: 2nd file appears truncated!");
    EXPECT_EQ(run.state().counters.filesCompared, 1);
}

} // namespace
} // namespace test
} // namespace quorvel
