#include "support/EngineFixture.h"

#include <algorithm>

namespace quorvel {
namespace {

using V = std::vector<std::string>;

class FileRunTest : public test::EngineFixture {
protected:
    FileRunTest() {
        view.mode = CompareMode::FileWithFile;
        tree.write("L/notes.txt", "same");
        tree.write("R/notes.txt", "same");
        tree.write("R/other.txt", "same and more");
    }
};

TEST_F(FileRunTest, FileWithFileWritesHeadingsOneLineAndTheSummary) {
    view.leftSelection = {"notes.txt"};
    view.rightSelection = "other.txt";
    view.answerYes = true;
    run.startComparison();
    EXPECT_EQ(lines(),
              (V{"Comparison of file " + tree.path("L/notes.txt"),
                 "with file " + tree.path("R/other.txt"), "",
                 ">>>> notes.txt: 1st file appears truncated!", "", "Comparison terminated.",
                 "Compared 1 file(s);  0.00 KB", "Equal: 0;   different: 1"}));
    const V expectedCalls{
        "controlsEnabled 0",
        "compareMode",
        "leftDirectory",
        "rightDirectory",
        "selectedLeftFiles",
        "selectedRightFile",
        "compareOptions",
        "guidance Compared 0 file(s);  0.00 KB | Equal: 0;   different: 0",
        "abort 1",
        "fileStatus 1",
        "fileStatus 1",
        "guidance Compared 1 file(s);  0.00 KB | Equal: 0;   different: 1",
        "abort 0",
        "fileStatus 0",
        "ask Message info: Comparison Terminated. Do you want to view the files report?",
        "showReport",
        "controlsEnabled 1",
        "abort 0",
        "fileStatus 0",
        "dirStatusVisible 0",
        "progressVisible 0",
        "sideCaptions 1",
    };
    EXPECT_EQ(view.calls, expectedCalls);
}

TEST_F(FileRunTest, AMissingFirstFileIsCountedAsDifferentWithNoBytes) {
    view.leftSelection = {"gone.txt"};
    view.rightSelection = "notes.txt";
    run.startComparison();
    EXPECT_EQ(body(), (V{"", ">>>> gone.txt: error reading 1st file!", "", "Comparison terminated.",
                         "Compared 1 file(s);  0.00 KB", "Equal: 0;   different: 1"}));
}

TEST_F(FileRunTest, MissingSelectionsShowOneErrorBoxAndKeepTheLastReport) {
    report.appendReportLine("earlier report");
    view.leftSelection = {"notes.txt"};
    run.startComparison();
    view.mode = CompareMode::FilesWithDirectory;
    view.leftSelection = {};
    run.startComparison();
    view.mode = CompareMode::None;
    run.startComparison();
    EXPECT_EQ(lines(), V{"earlier report"});
    V errors;
    std::copy_if(view.calls.begin(), view.calls.end(), std::back_inserter(errors),
                 [](const std::string& c) { return c.rfind("error", 0) == 0; });
    EXPECT_EQ(errors,
              (V{"error Error: You must select one file to the left and one file to the right.",
                 "error Error: You must select at least one file to the left.",
                 "error Error: You must select one of 3 comparison modes through upper left "
                 "buttons."}));
    EXPECT_EQ(view.calls.back(), "sideCaptions 1") << "the window is idle again";
}

TEST_F(FileRunTest, FilesWithDirectoryTakesTheSelectionInOrderAndTwiceWhenGivenTwice) {
    tree.write("L/a.bin", "1");
    view.mode = CompareMode::FilesWithDirectory;
    view.leftSelection = {"notes.txt", "a.bin", "notes.txt"};
    view.options.fast = true;
    run.startComparison();
    EXPECT_EQ(lines(), (V{"Comparison of some files from " + tree.path("L"),
                          "with namesake files from " + tree.path("R"),
                          "Fast comparison (compares only size)", "",
                          "notes.txt: equal (maybe...).", ">>>> a.bin: not found in 2nd directory!",
                          "notes.txt: equal (maybe...).", "", "Comparison terminated.",
                          "Compared 3 file(s);  0.01 KB", "Equal (maybe...): 2;   different: 1"}));
}

TEST_F(FileRunTest, AnAbortBetweenPairsSkipsTheRest) {
    view.mode = CompareMode::FilesWithDirectory;
    view.leftSelection = {"notes.txt", "notes.txt", "notes.txt"};
    // Each pair handles input once before and once after its only block.
    view.onProcessEvents = [&](int n) {
        if (n == 3) {
            run.requestAbort();
        }
    };
    run.startComparison();
    EXPECT_EQ(body(), (V{"", "notes.txt: equal.", "", "Comparison interrupted by user!",
                         "Compared 1 file(s);  0.00 KB", "Equal: 1;   different: 0"}));
    EXPECT_NE(std::find(view.calls.begin(), view.calls.end(),
                        "ask Message stop: Comparison interrupted bu user. Do you want to view "
                        "the files report?"),
              view.calls.end());
}

TEST_F(FileRunTest, AnAbortWhileAFastPairIsInFlightLeavesItOutAndComparesNoMore) {
    for (const char* name : {"a", "b", "c"}) {
        tree.write(std::string("L/") + name, "1");
        tree.write(std::string("R/") + name, "1");
    }
    view.mode = CompareMode::FilesWithDirectory;
    view.leftSelection = {"a", "b", "c"};
    view.options.fast = true;
    view.onProcessEvents = [&](int) {
        if (view.fileStatuses.back() == "b") {
            run.requestAbort();
        }
    };
    run.startComparison();
    EXPECT_EQ(body(), (V{"", "a: equal (maybe...).", "", "Comparison interrupted by user!",
                         "Compared 1 file(s);  0.00 KB", "Equal (maybe...): 1;   different: 0"}));
    // Each pair looks up its first file before it starts and both files in the comparison.
    EXPECT_EQ(files.counts.lookUps, 3 + 3) << "c is not compared";
}

TEST_F(FileRunTest, TheStatusShowsThePairWithItsPercentageAndTheSideCaptionsStay) {
    tree.writeSized("L/big", 500000);
    tree.writeSized("R/big", 500000);
    view.leftSelection = {"big"};
    view.rightSelection = "big";
    run.startComparison();
    const V expected = {"", "big", "big  40%", "big  80%", "big  100%"};
    EXPECT_EQ(view.fileStatuses, expected);
    EXPECT_EQ(std::count(view.calls.begin(), view.calls.end(), "sideCaptions 0"), 0);
}

TEST_F(FileRunTest, ADirectoryRunHidesTheSideCaptionsAndShowsThemAgain) {
    view.mode = CompareMode::DirectoryWithDirectory;
    run.startComparison();
    const auto hidden = std::find(view.calls.begin(), view.calls.end(), "sideCaptions 0");
    const auto barShown = std::find(view.calls.begin(), view.calls.end(), "progressVisible 1");
    ASSERT_NE(hidden, view.calls.end());
    EXPECT_LT(hidden, barShown);
    EXPECT_EQ(view.calls.back(), "sideCaptions 1");
}

TEST_F(FileRunTest, ItalianStartTextsDifferFromAppliedItalianOnlyInTheMaybeBlank) {
    view.leftSelection = {"notes.txt"};
    view.rightSelection = "notes.txt";
    view.options.fast = true;
    LanguageStrings italian; // the start texts
    ComparisonRun italianRun(view, report, italian, files, ",");
    italianRun.startComparison();
    EXPECT_EQ(report.line(4), "notes.txt: uguali(forse...).");
    EXPECT_EQ(report.line(8), "Uguali(forse...): 1;   diversi: 0");
    italian.fillFrom(kItalian);
    italianRun.startComparison();
    EXPECT_EQ(report.line(4), "notes.txt: uguali (forse...).");
    EXPECT_EQ(report.line(7), "Confrontati 1 file;  0,00 KB");
    EXPECT_EQ(report.line(8), "Uguali (forse...): 1;   diversi: 0");
}

// A failure inside a run must leave the window usable and reach the caller.
class ThrowingView : public test::RecordingView {
public:
    std::string rightDirectory() override { throw std::runtime_error("no panel"); }
};

TEST(StartComparison, AFailureRestoresTheIdleWindowAndPassesOn) {
    ThrowingView view;
    view.mode = CompareMode::DirectoryWithDirectory;
    Report report;
    LanguageStrings strings;
    PosixFileAccess files;
    ComparisonRun run(view, report, strings, files, ".");
    EXPECT_THROW(run.startComparison(), std::runtime_error);
    const V tail(view.calls.end() - 6, view.calls.end());
    EXPECT_EQ(tail, (V{"controlsEnabled 1", "abort 0", "fileStatus 0", "dirStatusVisible 0",
                       "progressVisible 0", "sideCaptions 1"}));
}

} // namespace
} // namespace quorvel
