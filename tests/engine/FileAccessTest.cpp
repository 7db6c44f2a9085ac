#include "FaultyFileAccess.h"
#include "engine/ComparisonRun.h"
#include "engine/Report.h"
#include "lang/LanguageStrings.h"
#include "support/RecordingView.h"
#include "support/TempTree.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <unistd.h>

namespace quorvel {
namespace {

using V = std::vector<std::string>;

int openDescriptors() {
    int count = 0;
    for ([[maybe_unused]] const auto& entry :
         std::filesystem::directory_iterator("/proc/self/fd")) {
        ++count;
    }
    return count;
}

// Directory runs through the real file system, with reading ahead always on or left to itself.
class FileAccessTest : public ::testing::TestWithParam<PosixFileAccess::ReadAheadMode> {
protected:
    FileAccessTest() : files(GetParam()) {
        strings.fillFrom(kEnglish);
        view.left = tree.path("L");
        view.right = tree.path("R");
        view.options.onlyDifferent = false;
    }

    V runLines() {
        run.startComparison();
        V lines;
        for (std::size_t i = 0; i < report.count(); ++i) {
            lines.push_back(report.line(i));
        }
        return lines;
    }

    test::TempTree tree;
    test::RecordingView view;
    Report report;
    LanguageStrings strings;
    test::FaultyFileAccess files;
    ComparisonRun run{view, report, strings, files, "."};
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
    const int before = openDescriptors();
    const auto lines = runLines();
    EXPECT_EQ(openDescriptors(), before);
    EXPECT_EQ(files.opened, files.closed);
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
    EXPECT_EQ(runLines().at(3), "a: equal.");
    std::filesystem::rename(tree.path("R"), tree.path("R.old"));
    tree.write("R/a", "two");
    EXPECT_EQ(runLines().at(3), ">>>> a: different contents!");
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
    run.startComparison();
    EXPECT_EQ(run.state().counters.filesCompared, 12);
    EXPECT_EQ(run.state().counters.differentCount, 0);
}

TEST_P(FileAccessTest, AnUnreadableDirectoryIsADifferenceNotAnEmptyDirectory) {
    tree.write("L/a", "1");
    tree.write("R/a", "1");
    tree.write("L/sub/deeper/b", "1");
    tree.write("L/z/c", "1");
    files.unreadableDirectories = {tree.path("L/sub/deeper")};
    view.options.onlyDifferent = true;
    const auto lines = runLines();
    const V body(lines.begin() + 3, lines.end());
    EXPECT_EQ(body, (V{"________________________", "SUBDIR: sub/deeper", "________________________",
                       ">>>> sub/deeper/: error reading 1st file!", "________________________",
                       "SUBDIR: z", "________________________",
                       ">>>> c: not found in 2nd directory!", "", "Comparison terminated.",
                       "Compared 3 file(s);  0.00 KB", "Equal: 1;   different: 2"}));

    files.unreadableDirectories = {tree.path("L")};
    const auto top = runLines();
    EXPECT_EQ(V(top.begin() + 3, top.end()),
              (V{">>>> ./: error reading 1st file!", "", "Comparison terminated.",
                 "Compared 1 file(s);  0.00 KB", "Equal: 0;   different: 1"}));
}

INSTANTIATE_TEST_SUITE_P(ReadAhead, FileAccessTest,
                         ::testing::Values(PosixFileAccess::ReadAheadMode::WhenNotCached,
                                           PosixFileAccess::ReadAheadMode::Always));

} // namespace
} // namespace quorvel
