// Big inputs grow the work and the memory in step with them: counted calls and counted heap
// bytes, never a clock.

#include "lang/LanguageStrings.h"
#include "reliability/HeapCounter.h"
#include "report/Report.h"
#include "report/ReportHtmlWriter.h"
#include "report/ReportTextWriter.h"
#include "support/HookedFileAccess.h"
#include "support/RecordingObserver.h"
#include "support/RequestBuilder.h"
#include "support/TempTree.h"
#include "support/TestRun.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#ifndef QUORVEL_SCALE_FILES
#define QUORVEL_SCALE_FILES 200000
#endif

namespace quorvel::test {
namespace {

constexpr std::int64_t kFiles = QUORVEL_SCALE_FILES;
constexpr std::int64_t kReportLines = 1000000;

// The heap a piece of work takes: all it allocated, and its peak above what was live before.
struct HeapUse {
    std::int64_t allocations;
    std::int64_t bytesAllocated;
    std::int64_t peakAbove;
    std::int64_t keptAbove; // still live afterwards
};

template <class Work>
HeapUse measureHeap(Work&& work) {
    resetHeapPeak();
    const auto before = heapCounts();
    work();
    const auto after = heapCounts();
    return {after.allocations - before.allocations, after.bytesAllocated - before.bytesAllocated,
            after.peakLiveBytes - before.liveBytes, after.liveBytes - before.liveBytes};
}

// What the report's lines take on the heap, at least.
std::int64_t reportBytes(const Report& report) {
    std::int64_t bytes = 0;
    for (std::size_t i = 0; i < report.count(); ++i) {
        bytes += static_cast<std::int64_t>(sizeof(std::string) + report.line(i).size() + 1);
    }
    return bytes;
}

// A window that keeps nothing of what it is shown, so that all memory counted is the engine's.
class QuietObserver : public RecordingObserver {
public:
    void directoryBegun(std::string_view) override {}
    void pairBegun(std::string_view) override {}
    void bytesCompared(const RunBytes&) override {}
};

class ScaleTest : public ::testing::Test {
protected:
    ScaleTest() { strings.fillFrom(kEnglish); }

    TempTree tree;
    RequestBuilder request;
    QuietObserver observer;
    Report report;
    LanguageStrings strings;
};

// `count` empty files in one new directory. Names of a few files, since new names are far cheaper
// to make than new files; each file takes as many names as the file system lets it have.
void makeManyNames(const TempTree& tree, const std::string& directory, std::int64_t count) {
    tree.mkdir(directory);
    const int dir = ::open(tree.path(directory).c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
    ASSERT_GE(dir, 0);
    int bases = 0;
    std::string base;
    char name[32];
    for (std::int64_t i = 0; i < count; ++i) {
        std::snprintf(name, sizeof name, "file%07lld.txt", static_cast<long long>(i));
        if (base.empty() || ::linkat(AT_FDCWD, base.c_str(), dir, name, 0) != 0) {
            ASSERT_TRUE(base.empty() || errno == EMLINK) << std::strerror(errno);
            base = tree.path("base" + std::to_string(bases++));
            tree.write("base" + std::to_string(bases - 1), "");
            ASSERT_EQ(::linkat(AT_FDCWD, base.c_str(), dir, name, 0), 0) << std::strerror(errno);
        }
    }
    ::close(dir);
}

TEST_F(ScaleTest, ManyFilesInOneDirectory) {
    ASSERT_NO_FATAL_FAILURE(makeManyNames(tree, "L", kFiles));
    // Every right namesake is the left file itself: all pairs equal, and the report stays short.
    tree.symlink(tree.path("L"), "R");
    tree.mkdir("empty");

    HookedFileAccess files;
    files.keepPaths = false;
    test::TestRun run(request, observer, report, strings, files, ".");
    request.left = tree.path("L");
    request.right = tree.path("R");
    request.options.onlyDifferent = true;

    const auto equalRun = measureHeap([&] { run.run(); });
    ASSERT_EQ(run.state().counters.filesCompared, kFiles);
    ASSERT_EQ(run.state().counters.differentCount, 0);
    ASSERT_EQ(report.count(), 7u);
    EXPECT_LE(files.counts.listings, 2) << "once a pass at most";
    EXPECT_LE(files.counts.total(), 8 * kFiles + 64);
    EXPECT_LE(files.counts.opens, 2 * kFiles);
    // A few allocations a pair, and nothing of the pairs kept afterwards.
    EXPECT_LE(equalRun.allocations, 40 * kFiles);
    EXPECT_LE(equalRun.bytesAllocated, 4096 * kFiles);
    EXPECT_LE(equalRun.keptAbove, 64 * 1024);
    // The listing of the directory is all that grows with it.
    EXPECT_LE(equalRun.peakAbove, 320 * kFiles);

    // No right namesakes: every pair is a report line.
    request.right = tree.path("empty");
    files.counts = {};
    const auto lineRun = measureHeap([&] { run.run(); });
    ASSERT_EQ(run.state().counters.differentCount, kFiles);
    ASSERT_EQ(report.count(), static_cast<std::size_t>(kFiles + 7));
    EXPECT_LE(files.counts.total(), 8 * kFiles + 64);
    EXPECT_LE(lineRun.allocations, 40 * kFiles);
    EXPECT_LE(lineRun.bytesAllocated, 4096 * kFiles);
    EXPECT_LE(lineRun.keptAbove, 2 * reportBytes(report));
    EXPECT_LE(lineRun.peakAbove, lineRun.keptAbove + 320 * kFiles);
}

std::int64_t fileSize(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 ? static_cast<std::int64_t>(st.st_size) : -1;
}

TEST_F(ScaleTest, AMillionLineReport) {
    Report big;
    const auto building = measureHeap([&] {
        big.appendReportLine("Comparison of directory /left");
        big.appendReportLine("with directory /right");
        big.appendReportLine("");
        const std::string rule(24, '_');
        for (std::int64_t i = 0; big.count() < kReportLines - 4; ++i) {
            const auto name = "file" + std::to_string(i) + ".txt";
            if (i % 1000 == 999) {
                big.appendReportLine(rule);
                big.appendReportLine("SUBDIR: directory/" + std::to_string(i));
                big.appendReportLine(rule);
            } else if (i % 7 == 0) {
                big.appendReportLine(">>>> " + name + ": different contents!");
            } else {
                big.appendReportLine(name + ": equal.");
            }
        }
        big.appendReportLine("");
        big.appendReportLine("Comparison terminated.");
        big.appendReportLine("Compared 999000 file(s);  0.00 KB");
        big.appendReportLine("Equal: 856286;   different: 142714");
    });
    ASSERT_EQ(big.count(), static_cast<std::size_t>(kReportLines));
    EXPECT_LE(building.keptAbove, 2 * reportBytes(big));

    std::int64_t textSize = 0;
    for (std::size_t i = 0; i < big.count(); ++i) {
        textSize += static_cast<std::int64_t>(big.line(i).size()) + 2;
    }
    tree.mkdir("out");
    const auto text = measureHeap([&] { writeReportText(big, tree.path("out/report.txt")); });
    EXPECT_EQ(fileSize(tree.path("out/report.txt")), textSize);
    // One growing text, whatever the count of lines.
    EXPECT_LE(text.allocations, 200);
    EXPECT_LE(text.bytesAllocated, 4 * textSize);
    EXPECT_LE(text.keptAbove, 0);

    const auto html = measureHeap(
        [&] { writeReportHtml(big, tree.path("out/report.html"), strings, std::time_t{0}); });
    const auto htmlSize = fileSize(tree.path("out/report.html"));
    EXPECT_GT(htmlSize, textSize);
    EXPECT_EQ(tree.read("out/report.html").substr(static_cast<std::size_t>(htmlSize) - 7),
              "</html>");
    EXPECT_LE(html.allocations, 2 * kReportLines);
    EXPECT_LE(html.bytesAllocated, 4 * htmlSize + 64 * kReportLines);
    EXPECT_LE(html.keptAbove, 0);
}

} // namespace
} // namespace quorvel::test
