#include "support/EngineFixture.h"

#include <algorithm>

namespace quorvel {
namespace {

using V = std::vector<std::string>;

class FileRunTest : public test::EngineFixture {
protected:
    FileRunTest() {
        request.mode = CompareMode::FileWithFile;
        tree.write("L/notes.txt", "same");
        tree.write("R/notes.txt", "same");
        tree.write("R/other.txt", "same and more");
    }
};

TEST_F(FileRunTest, FileWithFileWritesHeadingsOneLineAndTheSummary) {
    request.leftSelection = {"notes.txt"};
    request.rightSelection = "other.txt";
    run.run();
    EXPECT_EQ(lines(),
              (V{"Comparison of file " + tree.path("L/notes.txt"),
                 "with file " + tree.path("R/other.txt"), "",
                 ">>>> notes.txt: 1st file appears truncated!", "", "Comparison terminated.",
                 "Compared 1 file(s);  0.00 KB", "Equal: 0;   different: 1"}));
    EXPECT_EQ(observer.calls, (V{"runStarted", "runEnded"}));
}

TEST_F(FileRunTest, AMissingFirstFileIsCountedAsDifferentWithNoBytes) {
    request.leftSelection = {"gone.txt"};
    request.rightSelection = "notes.txt";
    run.run();
    EXPECT_EQ(body(), (V{"", ">>>> gone.txt: error reading 1st file!", "", "Comparison terminated.",
                         "Compared 1 file(s);  0.00 KB", "Equal: 0;   different: 1"}));
}

TEST_F(FileRunTest, ARequestWithoutWhatItsModeNeedsIsRefusedAndKeepsTheLastReport) {
    report.appendReportLine("earlier report");
    const struct {
        const char* name;
        CompareMode mode;
        V leftSelection;
        RequestProblem problem;
    } cases[] = {
        {"no right file", CompareMode::FileWithFile, {"notes.txt"}, RequestProblem::NoTwoFiles},
        {"no left file", CompareMode::FilesWithDirectory, {}, RequestProblem::NoLeftFile},
        {"no mode", CompareMode::None, {"notes.txt"}, RequestProblem::NoMode},
    };
    for (const auto& c : cases) {
        request.mode = c.mode;
        request.leftSelection = c.leftSelection;
        EXPECT_EQ(ComparisonRun::requestProblem(request.build()), c.problem) << c.name;
        observer.calls.clear();
        run.run();
        EXPECT_EQ(observer.calls, V{"refused"}) << c.name;
    }
    EXPECT_EQ(lines(), V{"earlier report"});
}

TEST_F(FileRunTest, FilesWithDirectoryTakesTheSelectionInOrderAndTwiceWhenGivenTwice) {
    tree.write("L/a.bin", "1");
    request.mode = CompareMode::FilesWithDirectory;
    request.leftSelection = {"notes.txt", "a.bin", "notes.txt"};
    request.options.fast = true;
    run.run();
    EXPECT_EQ(lines(), (V{"Comparison of some files from " + tree.path("L"),
                          "with namesake files from " + tree.path("R"),
                          "Fast comparison (compares only size)", "",
                          "notes.txt: equal (maybe...).", ">>>> a.bin: not found in 2nd directory!",
                          "notes.txt: equal (maybe...).", "", "Comparison terminated.",
                          "Compared 3 file(s);  0.01 KB", "Equal (maybe...): 2;   different: 1"}));
}

TEST_F(FileRunTest, AnAbortBetweenPairsSkipsTheRest) {
    request.mode = CompareMode::FilesWithDirectory;
    request.leftSelection = {"notes.txt", "notes.txt", "notes.txt"};
    // Each pair handles input once before and once after its only block.
    observer.onProcessEvents = [&](int n) {
        if (n == 3) {
            run.requestAbort();
        }
    };
    run.run();
    EXPECT_EQ(body(), (V{"", "notes.txt: equal.", "", "Comparison interrupted by user!",
                         "Compared 1 file(s);  0.00 KB", "Equal: 1;   different: 0"}));
    EXPECT_EQ(observer.calls.back(), "runEnded interrupted");
}

TEST_F(FileRunTest, AnAbortWhileAFastPairIsInFlightLeavesItOutAndComparesNoMore) {
    for (const char* name : {"a", "b", "c"}) {
        tree.write(std::string("L/") + name, "1");
        tree.write(std::string("R/") + name, "1");
    }
    request.mode = CompareMode::FilesWithDirectory;
    request.leftSelection = {"a", "b", "c"};
    request.options.fast = true;
    observer.onProcessEvents = [&](int) {
        if (observer.fileStatuses.back() == "b") {
            run.requestAbort();
        }
    };
    run.run();
    EXPECT_EQ(body(), (V{"", "a: equal (maybe...).", "", "Comparison interrupted by user!",
                         "Compared 1 file(s);  0.00 KB", "Equal (maybe...): 1;   different: 0"}));
    // Each pair looks up its first file before it starts and both files in the comparison.
    EXPECT_EQ(files.counts.lookUps, 3 + 3) << "c is not compared";
}

TEST_F(FileRunTest, TheStatusShowsThePairWithItsPercentage) {
    tree.writeSized("L/big", 500000);
    tree.writeSized("R/big", 500000);
    request.leftSelection = {"big"};
    request.rightSelection = "big";
    run.run();
    const V expected = {"big", "big  40%", "big  80%", "big  100%"};
    EXPECT_EQ(observer.fileStatuses, expected);
}

TEST_F(FileRunTest, ItalianStartTextsDifferFromAppliedItalianOnlyInTheMaybeBlank) {
    request.leftSelection = {"notes.txt"};
    request.rightSelection = "notes.txt";
    request.options.fast = true;
    LanguageStrings italian; // the start texts
    test::TestRun italianRun(request, observer, report, italian, files, ",");
    italianRun.run();
    EXPECT_EQ(report.line(4), "notes.txt: uguali(forse...).");
    EXPECT_EQ(report.line(8), "Uguali(forse...): 1;   diversi: 0");
    italian.fillFrom(kItalian);
    italianRun.run();
    EXPECT_EQ(report.line(4), "notes.txt: uguali (forse...).");
    EXPECT_EQ(report.line(7), "Confrontati 1 file;  0,00 KB");
    EXPECT_EQ(report.line(8), "Uguali (forse...): 1;   diversi: 0");
}

} // namespace
} // namespace quorvel
