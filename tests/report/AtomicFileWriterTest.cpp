#include "report/AtomicFileWriter.h"
#include "report/FileWriteError.h"
#include "report/JsonReportWriter.h"
#include "report/ReportHtmlWriter.h"
#include "report/ReportTextWriter.h"

#include "support/TempTree.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <functional>
#include <ostream>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>
#include <vector>

namespace quorvel {
namespace {

namespace fs = std::filesystem;

int writeErrorCode(const std::function<void()>& write) {
    try {
        write();
    } catch (const FileWriteError& error) {
        return error.errorCode();
    }
    return 0;
}

mode_t modeOf(const std::string& path) {
    struct stat status {};
    EXPECT_EQ(::stat(path.c_str(), &status), 0) << path;
    return status.st_mode & 07777;
}

// Every writer must pass the same failures on.
struct ReportWriter {
    const char* name;
    std::function<void(const Report&, const std::string&)> write;
};

void PrintTo(const ReportWriter& writer, std::ostream* out) {
    *out << writer.name;
}

class EveryReportWriter : public ::testing::TestWithParam<ReportWriter> {
protected:
    int errorWriting(const std::string& path) {
        Report report;
        report.appendReportLine("line");
        return writeErrorCode([&] { GetParam().write(report, path); });
    }
    test::TempTree scratch;
};

TEST_P(EveryReportWriter, UnwritableTargetsAreFailuresNamingTheReason) {
    scratch.write("file", "kept");
    scratch.write("dir/inside", "kept");

    EXPECT_EQ(errorWriting(scratch.path("file/report")), ENOTDIR);
    EXPECT_EQ(errorWriting(scratch.path("missing/report")), ENOENT);
    EXPECT_EQ(errorWriting(scratch.path("dir")), EISDIR);
    EXPECT_EQ(errorWriting(scratch.path("dir/")), EISDIR);
    EXPECT_EQ(errorWriting(""), ENOENT);

    EXPECT_EQ(scratch.read("file"), "kept");
    EXPECT_EQ(scratch.listing(), "dir file");
    EXPECT_EQ(scratch.listing("dir"), "inside");
}

TEST_P(EveryReportWriter, DevicesAndFifosAreRefusedUntouched) {
    EXPECT_EQ(errorWriting("/dev/full"), ENOTSUP);
    EXPECT_TRUE(fs::is_character_file("/dev/full"));

    // Opening the FIFO for writing would block the test; refusing it must not open it.
    ASSERT_EQ(::mkfifo(scratch.path("fifo").c_str(), 0600), 0);
    fs::create_symlink("fifo", scratch.path("to-fifo"));
    EXPECT_EQ(errorWriting(scratch.path("fifo")), ENOTSUP);
    EXPECT_EQ(errorWriting(scratch.path("to-fifo")), ENOTSUP);
    EXPECT_TRUE(fs::is_fifo(scratch.path("fifo")));
    EXPECT_EQ(scratch.listing(), "fifo to-fifo");
}

TEST_P(EveryReportWriter, ReadOnlyFileIsNotReplaced) {
    if (::geteuid() == 0) {
        GTEST_SKIP() << "permission bits do not stop root";
    }
    scratch.write("locked", "kept");
    ::chmod(scratch.path("locked").c_str(), 0444);
    EXPECT_EQ(errorWriting(scratch.path("locked")), EACCES);
    EXPECT_EQ(scratch.read("locked"), "kept");
}

INSTANTIATE_TEST_SUITE_P(
    Writers, EveryReportWriter,
    ::testing::Values(
        ReportWriter{"Text", [](const Report& report,
                                const std::string& path) { writeReportText(report, path); }},
        ReportWriter{"Html",
                     [](const Report& report, const std::string& path) {
                         writeReportHtml(report, path, LanguageStrings(), 0);
                     }},
        ReportWriter{"Json", [](const Report& report,
                                const std::string& path) { writeReportJson(report, path); }}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(AtomicFileWriter, FailedWriteLeavesTheEarlierFileWholeAndNoTemporary) {
    test::TempTree scratch;
    scratch.write("report.txt", "earlier good report\r\n");
    // Half the bytes go out, then the disk is full.
    int calls = 0;
    const AtomicFileWriter failing([&calls](int fd, const char* data, std::size_t size) {
        if (++calls > 1) {
            errno = ENOSPC;
            return ssize_t{-1};
        }
        return ::write(fd, data, size / 2);
    });
    Report report;
    report.appendReportLine(std::string(1000, 'n'));

    EXPECT_EQ(writeErrorCode([&] { writeReportText(report, scratch.path("report.txt"), failing); }),
              ENOSPC);
    EXPECT_EQ(writeErrorCode([&] {
                  writeReportHtml(report, scratch.path("report.txt"), LanguageStrings(), 0,
                                  failing);
              }),
              ENOSPC);
    EXPECT_EQ(scratch.read("report.txt"), "earlier good report\r\n");
    EXPECT_EQ(scratch.listing(), "report.txt");
}

TEST(AtomicFileWriter, TheDirectoryIsSyncedAfterTheRename) {
    test::TempTree scratch;
    scratch.write("out/report.txt", "old");
    const auto write = [](int fd, const char* data, std::size_t size) {
        return ::write(fd, data, size);
    };
    // What each sync saw: a directory or a file, and the target's contents at that moment.
    std::vector<std::pair<bool, std::string>> syncs;
    const AtomicFileWriter counting(write, [&](int fd) {
        struct stat status {};
        ::fstat(fd, &status);
        syncs.emplace_back(S_ISDIR(status.st_mode), scratch.read("out/report.txt"));
        return ::fsync(fd);
    });
    counting.replace(scratch.path("out/report.txt"), "new");
    const std::vector<std::pair<bool, std::string>> expected{{false, "old"}, {true, "new"}};
    EXPECT_EQ(syncs, expected);

    // A directory that cannot be synced may lose the rename: that is told.
    const AtomicFileWriter failing(write, [](int fd) {
        struct stat status {};
        ::fstat(fd, &status);
        if (S_ISDIR(status.st_mode)) {
            errno = EIO;
            return -1;
        }
        return ::fsync(fd);
    });
    EXPECT_EQ(writeErrorCode([&] { failing.replace(scratch.path("out/report.txt"), "newer"); }),
              EIO);
    EXPECT_EQ(scratch.listing("out"), "report.txt");
}

TEST(AtomicFileWriter, ShortAndInterruptedWritesAreContinued) {
    test::TempTree scratch;
    int calls = 0;
    const AtomicFileWriter trickling([&calls](int fd, const char* data, std::size_t size) {
        if (++calls % 3 == 0) {
            errno = EINTR;
            return ssize_t{-1};
        }
        return ::write(fd, data, std::min<std::size_t>(size, 7));
    });
    const std::string contents = "a somewhat longer text than seven bytes";
    trickling.replace(scratch.path("out"), contents);
    EXPECT_EQ(scratch.read("out"), contents);
}

TEST(AtomicFileWriter, SymbolicLinksAreWrittenThrough) {
    test::TempTree scratch;
    scratch.write("real/report.txt", "old");
    fs::create_directory(scratch.path("links"));
    fs::create_symlink("../real/report.txt", scratch.path("links/first"));
    fs::create_symlink(scratch.path("links/first"), scratch.path("second"));
    fs::create_symlink("not-yet", scratch.path("dangling"));

    const AtomicFileWriter writer;
    writer.replace(scratch.path("second"), "new");
    EXPECT_EQ(scratch.read("real/report.txt"), "new");
    EXPECT_TRUE(fs::is_symlink(scratch.path("second")));
    EXPECT_TRUE(fs::is_symlink(scratch.path("links/first")));
    EXPECT_EQ(scratch.listing("real"), "report.txt");

    writer.replace(scratch.path("dangling"), "made");
    EXPECT_TRUE(fs::is_symlink(scratch.path("dangling")));
    EXPECT_EQ(scratch.read("not-yet"), "made");

    fs::create_symlink("loop-b", scratch.path("loop-a"));
    fs::create_symlink("loop-a", scratch.path("loop-b"));
    EXPECT_EQ(writeErrorCode([&] { writer.replace(scratch.path("loop-a"), "x"); }), ELOOP);
}

TEST(AtomicFileWriter, ReplacementKeepsTheModeANewFileFollowsTheUmask) {
    test::TempTree scratch;
    scratch.write("kept-mode", "old");
    ::chmod(scratch.path("kept-mode").c_str(), 0604);
    const mode_t oldMask = ::umask(027);
    const AtomicFileWriter writer;
    writer.replace(scratch.path("kept-mode"), "new");
    writer.replace(scratch.path("fresh"), "new");
    ::umask(oldMask);
    EXPECT_EQ(modeOf(scratch.path("kept-mode")), 0604u);
    EXPECT_EQ(modeOf(scratch.path("fresh")), 0640u);
}

TEST(AtomicFileWriter, CreatingLeavesAFileThatIsThereOrAppearsMeanwhile) {
    test::TempTree scratch;
    scratch.write("there", "old");
    const AtomicFileWriter writer;
    EXPECT_EQ(writeErrorCode([&] { writer.create(scratch.path("there"), "new"); }), EEXIST);
    EXPECT_EQ(scratch.read("there"), "old");

    const AtomicFileWriter racing([&scratch](int fd, const char* data, std::size_t size) {
        scratch.write("raced", "another's");
        return ::write(fd, data, size);
    });
    EXPECT_EQ(writeErrorCode([&] { racing.create(scratch.path("raced"), "ours"); }), EEXIST);
    EXPECT_EQ(scratch.read("raced"), "another's");

    writer.create(scratch.path("fresh"), "new");
    EXPECT_EQ(scratch.read("fresh"), "new");
    EXPECT_EQ(scratch.listing(), "fresh raced there") << "no temporary file is left";
}

TEST(AtomicFileWriter, KnowsItsTemporaryNames) {
    const std::pair<const char*, bool> rows[] = {
        {".quorvel-123-0.tmp", true}, {".quorvel-1-99.tmp", true}, {".quorvel-123.tmp", false},
        {".quorvel--0.tmp", false},   {"quorvel-1-2.tmp", false},  {".quorvel-1-2.tmp~", false},
        {".quorvel-a-2.tmp", false},
    };
    for (const auto& [name, temporary] : rows) {
        EXPECT_EQ(AtomicFileWriter::isTemporaryName(name), temporary) << name;
    }
}

// Names of temporary files left by a process that had this one's id before: the write goes on to
// a free name and leaves them be. In a fresh process, where the names to come are known.
TEST(AtomicFileWriterNames, TemporaryNamesAlreadyTakenAreSteppedOver) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            const test::TempTree tree;
            const auto stale = [&](int serial) {
                return tree.path(".quorvel-" + std::to_string(::getpid()) + "-" +
                                 std::to_string(serial) + ".tmp");
            };
            for (int serial = 0; serial < 3; ++serial) {
                tree.write(stale(serial).substr(tree.root().size() + 1), "stale");
            }
            AtomicFileWriter().replace(tree.path("r.txt"), "new");
            bool kept = true;
            for (int serial = 0; serial < 3; ++serial) {
                kept = kept && fs::file_size(stale(serial)) == 5;
            }
            std::_Exit(kept && fs::file_size(tree.path("r.txt")) == 3 ? 0 : 1);
        },
        testing::ExitedWithCode(0), "");
}

} // namespace
} // namespace quorvel
