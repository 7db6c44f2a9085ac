#include "support/EngineFixture.h"

#include <algorithm>

namespace quorvel {
namespace {

using V = std::vector<std::string>;

using test::expectedBody;
const std::string& kRule = test::kBlockRule;

// Directory runs that list only differing pairs unless a test says otherwise, as the window
// starts.
class DirectoryRunTest : public test::EngineFixture {
protected:
    DirectoryRunTest() { request.options.onlyDifferent = true; }
};

// One big pair, then many empty ones: the bar counts the pairs still to do, not only the bytes.
TEST_F(DirectoryRunTest, TheBarIsNotFullWhileManyEmptyPairsRemain) {
    tree.writeSized("L/a.big", 1 << 20);
    tree.writeSized("R/a.big", 1 << 20);
    for (int i = 0; i < 50; ++i) {
        tree.write("L/z" + std::to_string(100 + i), "");
        tree.write("R/z" + std::to_string(100 + i), "");
    }
    int afterTheBigPair = -1;
    observer.onPairBegun = [&](std::string_view name) {
        if (name == "z100") {
            afterTheBigPair = observer.progressPositions.back();
        }
    };
    run.run();
    EXPECT_LT(afterTheBigPair, 50);
    EXPECT_EQ(observer.progressPositions.back(), 100);
}

TEST_F(DirectoryRunTest, TheWholeReportOfATreeWithOneDifferenceBelow) {
    tree.writeSized("L/a.txt", 100);
    tree.writeSized("R/a.txt", 100);
    tree.writeSized("L/b.txt", 200);
    tree.writeSized("R/b.txt", 200);
    tree.writeSized("L/skip.doc", 5);
    tree.writeSized("L/src/notes.txt", 212);
    tree.writeSized("R/src/notes.txt", 212, 'y');
    request.options.filter = "*.txt";
    run.run();
    V expected{"Comparison of directory " + tree.path("L"),
               "with directory " + tree.path("R"),
               "(filter:  *.txt)",
               "",
               kRule,
               "SUBDIR: src",
               kRule,
               ">>>> notes.txt: different contents!",
               "",
               "Comparison terminated.",
               "Compared 3 file(s);  0.50 KB",
               "Equal: 2;   different: 1"};
    EXPECT_EQ(lines(), expected);
    EXPECT_EQ(run.state().progress.grandTotal, 512);
    EXPECT_EQ(observer.progressPositions.back(), 100);
}

TEST_F(DirectoryRunTest, WalkOrderBlocksAndOneSidedEntries) {
    tree.write("L/b.txt", "1");
    tree.write("L/A.txt", "1");
    tree.write("R/A.txt", "1");
    tree.write("L/x/y/deep.txt", "1");
    tree.write("L/x/equal.txt", "1");
    tree.write("R/x/equal.txt", "1");
    tree.write("R/onlyright.txt", "1");
    tree.mkdir("L/emptydir");
    tree.write("L/c.txt", "1");
    tree.mkdir("R/c.txt"); // a directory where the left has a file
    request.options.onlyDifferent = false;
    run.run();
    EXPECT_EQ(body(), expectedBody({"A.txt: equal.", ">>>> b.txt: not found in 2nd directory!",
                                    ">>>> c.txt: not found in 2nd directory!", kRule, "SUBDIR: x",
                                    kRule, "equal.txt: equal.", kRule, "SUBDIR: x/y", kRule,
                                    ">>>> deep.txt: not found in 2nd directory!"},
                                   5, "0.00 KB", 2, 3));
}

TEST_F(DirectoryRunTest, OnlyDifferentLeavesEqualDirectoriesWithoutABlock) {
    tree.write("L/x/equal.txt", "1");
    tree.write("R/x/equal.txt", "1");
    tree.write("L/x/y/diff.txt", "1");
    tree.write("R/x/y/diff.txt", "2");
    run.run();
    EXPECT_EQ(body(), (V{"", kRule, "SUBDIR: x/y", kRule, ">>>> diff.txt: different contents!", "",
                         "Comparison terminated.", "Compared 2 file(s);  0.00 KB",
                         "Equal: 1;   different: 1"}));
    tree.write("R/x/y/diff.txt", "1");
    run.run();
    EXPECT_EQ(body(), (V{"", "", "Comparison terminated.", "Compared 2 file(s);  0.00 KB",
                         "Equal: 2;   different: 0"}));
}

TEST_F(DirectoryRunTest, PatternsRunInOrderAndOverlapsCountTwice) {
    tree.write("L/a.doc", "1");
    tree.write("L/a.txt", "1");
    tree.write("L/b.txt", "1");
    request.options.onlyDifferent = false;
    request.options.filter = " *.txt; *.doc;a*";
    request.options.fast = true;
    run.run();
    const auto l = lines();
    EXPECT_EQ(l[2], "(filter:   *.txt; *.doc;a*)") << "the filter as typed";
    EXPECT_EQ(l[3], "Fast comparison (compares only size)");
    EXPECT_EQ(
        V(l.begin() + 5, l.begin() + 10),
        (V{">>>> a.txt: not found in 2nd directory!", ">>>> b.txt: not found in 2nd directory!",
           ">>>> a.doc: not found in 2nd directory!", ">>>> a.doc: not found in 2nd directory!",
           ">>>> a.txt: not found in 2nd directory!"}));
    EXPECT_EQ(run.state().progress.grandTotal, 5);
    EXPECT_EQ(run.state().counters.bytesCompared, 5);
}

TEST_F(DirectoryRunTest, AFilterLineIsWrittenUnlessTheTextIsExactlyStarDotStar) {
    tree.write("L/a", "1");
    request.options.filter = " *.*";
    run.run();
    EXPECT_EQ(report.line(2), "(filter:   *.*)");
    EXPECT_EQ(run.state().counters.filesCompared, 1);
    request.options.filter = "*.*";
    run.run();
    EXPECT_EQ(report.line(2), "");
}

TEST_F(DirectoryRunTest, AnEmptyFilterComparesNothingButStillWalks) {
    tree.write("L/a", "1");
    tree.write("L/sub/b", "1");
    request.options.filter = "";
    run.run();
    EXPECT_EQ(run.state().counters.filesCompared, 0);
    EXPECT_NE(std::find(observer.calls.begin(), observer.calls.end(), "dirStatus sub/"),
              observer.calls.end());
}

TEST_F(DirectoryRunTest, WithoutRecurseOnlyTheTopLevelIsCompared) {
    tree.write("L/a", "1");
    tree.write("L/sub/b", "1");
    request.options.recurse = false;
    request.options.onlyDifferent = false;
    run.run();
    EXPECT_EQ(body()[1], ">>>> a: not found in 2nd directory!");
    EXPECT_EQ(run.state().counters.filesCompared, 1);
    EXPECT_EQ(run.state().progress.grandTotal, 1);
}

TEST_F(DirectoryRunTest, AbortWhileTheTotalIsComputedComparesNothing) {
    tree.write("L/a", "1");
    observer.onProcessEvents = [&](int n) {
        if (n == 1) { // the first poll, before the size pass lists anything
            run.requestAbort();
        }
    };
    run.run();
    EXPECT_EQ(body(), (V{"", "", "Comparison interrupted by user!", "Compared 0 file(s);  0.00 KB",
                         "Equal: 0;   different: 0"}));
    EXPECT_TRUE(observer.fileStatuses.empty());
}

TEST_F(DirectoryRunTest, AbortInsideAPairDropsItAndSkipsTheRest) {
    tree.writeSized("L/a", 10);
    tree.writeSized("R/a", 10);
    tree.writeSized("L/b", 500000);
    tree.writeSized("R/b", 500000);
    tree.writeSized("L/sub/c", 10);
    request.options.onlyDifferent = false;
    // 1 total size root, 2 sub, 3 the repaint, 4 the root compared, then a: 5 start, 6 block;
    // b: 7 start, 8 block.
    observer.onProcessEvents = [&](int n) {
        if (n == 8) {
            run.requestAbort();
        }
    };
    run.run();
    EXPECT_EQ(body(), (V{"", "a: equal.", "", "Comparison interrupted by user!",
                         "Compared 1 file(s);  0.01 KB", "Equal: 1;   different: 0"}));
}

TEST_F(DirectoryRunTest, AnAbortIsSeenInATreeWhereNoFileMatches) {
    for (int i = 0; i < 50; ++i) {
        tree.write("L/d" + std::to_string(100 + i) + "/x.dat", "1");
    }
    request.options.filter = "*.txt";
    const auto directoriesCompared = [&] {
        return std::count_if(observer.calls.begin(), observer.calls.end(),
                             [](const std::string& call) {
                                 return call.starts_with("dirStatus ") && call != "dirStatus ";
                             });
    };
    observer.onProcessEvents = [&](int) {
        if (directoriesCompared() == 5) {
            run.requestAbort();
        }
    };
    run.run();
    EXPECT_EQ(directoriesCompared(), 5) << "no directory is entered after the abort";
    EXPECT_EQ(body(), (V{"", "", "Comparison interrupted by user!", "Compared 0 file(s);  0.00 KB",
                         "Equal: 0;   different: 0"}));
}

// An abort raised while one pair of a level is in flight, in fast mode and in byte mode with the
// right file missing: that pair is left out, and no later pair is compared.
TEST_F(DirectoryRunTest, AnAbortBetweenPairsOfOneLevelLeavesThePairInFlightOut) {
    for (const char* name : {"a", "b", "c"}) {
        tree.write(std::string("L/") + name, "1");
    }
    tree.write("R/a", "1");
    tree.write("R/c", "1");
    request.options.onlyDifferent = false;
    observer.onProcessEvents = [&](int) {
        if (!observer.fileStatuses.empty() && observer.fileStatuses.back() == "b") {
            run.requestAbort();
        }
    };
    for (const bool fast : {true, false}) {
        request.options.fast = fast;
        files.counts = {};
        observer.fileStatuses.clear();
        run.run();
        const auto equal = fast ? "a: equal (maybe...)." : "a: equal.";
        EXPECT_EQ(
            body(),
            (V{"", equal, "", "Comparison interrupted by user!", "Compared 1 file(s);  0.00 KB",
               fast ? "Equal (maybe...): 1;   different: 0" : "Equal: 1;   different: 0"}));
        EXPECT_EQ(fast ? files.counts.lookUps : files.counts.opens, 4) << "c is not compared";
    }
}

TEST_F(DirectoryRunTest, PatternsWithAnExclamationMarkAreOrdinaryNames) {
    tree.write("L/x", "1");
    tree.write("L/!x", "1");
    request.options.onlyDifferent = false;
    request.options.filter = "!x";
    EXPECT_EQ(runBody(),
              expectedBody({">>>> !x: not found in 2nd directory!"}, 1, "0.00 KB", 0, 1));
}

TEST_F(DirectoryRunTest, ADirectoryReachedByTwoRoutesThatDoNotNestIsWalkedBothTimes) {
    tree.writeSized("L/a/f", 10);
    tree.symlink("a", "L/b"); // a sibling
    tree.writeSized("third/g", 20);
    tree.symlink(tree.path("third"), "L/c");
    tree.symlink(tree.path("third"), "L/d");
    tree.symlink("..", "L/a/up"); // back to an ancestor: walked once
    request.options.onlyDifferent = false;
    run.run();
    EXPECT_EQ(run.state().counters.bytesCompared, run.state().progress.grandTotal);
    EXPECT_EQ(run.state().progress.grandTotal, 60);
    const std::string missing = ": not found in 2nd directory!";
    EXPECT_EQ(body(),
              expectedBody({kRule, "SUBDIR: a", kRule, ">>>> f" + missing, kRule, "SUBDIR: b",
                            kRule, ">>>> f" + missing, kRule, "SUBDIR: c", kRule,
                            ">>>> g" + missing, kRule, "SUBDIR: d", kRule, ">>>> g" + missing},
                           4, "0.06 KB", 0, 4));
}

TEST_F(DirectoryRunTest, ACapOnKeptListingsListsAgainAndGivesTheSameReport) {
    for (int d = 0; d < 6; ++d) {
        for (int f = 0; f < 5; ++f) {
            // Appended, not "d" + ...: GCC 12 at -O3 sees a false overlap there (-Wrestrict).
            std::string name = "d";
            name += std::to_string(d);
            name += "/sub/f";
            name += std::to_string(f);
            tree.write("L/" + name, name);
            tree.write("R/" + name, f == d ? "other" : name);
        }
    }
    request.options.onlyDifferent = false;
    // Directories just made count as settled here: nothing changes them during these runs.
    WalkOptions options;
    options.settledNanoseconds = 0;
    run.setWalkOptions(options);
    const auto unlimited = runBody();
    const auto listedOnce = files.counts.listings;
    EXPECT_EQ(listedOnce, 1 + 6 * 2);
    // Room for a few listings only.
    options.keptListingBytes = 2000;
    run.setWalkOptions(options);
    files.counts = {};
    EXPECT_EQ(runBody(), unlimited);
    EXPECT_GT(files.counts.listings, listedOnce);
    EXPECT_LT(files.counts.listings, 2 * listedOnce) << "some listings were kept all the same";
    EXPECT_EQ(run.state().counters.bytesCompared, run.state().progress.grandTotal);
}

TEST_F(DirectoryRunTest, SummaryAtExactlyOneMegabyte) {
    tree.writeSized("L/a", 1048576);
    tree.writeSized("R/a", 1048576);
    run.run();
    EXPECT_EQ(body()[3], "Compared 1 file(s);  1024.00 KB");
    tree.write("L/b", "1");
    tree.write("R/b", "1");
    run.run();
    EXPECT_EQ(body()[3], "Compared 2 file(s);  1.00 MB");
}

TEST_F(DirectoryRunTest, LinkLoopsAreWalkedOnceAndTheTotalMatchesTheBytesCompared) {
    tree.writeSized("L/a", 10);
    tree.writeSized("L/sub/b", 20);
    tree.symlink("..", "L/sub/up");         // loop to an ancestor
    tree.symlink(tree.path("L"), "L/self"); // loop to the compared directory
    tree.symlink("nowhere", "L/dangling");
    tree.symlink("me", "L/me"); // a link to itself
    tree.fifo("L/pipe");
    tree.symlink(tree.path("L/a"), "L/alias"); // a link to a file counts as a file
    request.options.onlyDifferent = false;
    run.run();
    EXPECT_EQ(run.state().counters.bytesCompared, run.state().progress.grandTotal);
    EXPECT_EQ(run.state().progress.grandTotal, 40);
    EXPECT_EQ(
        body(),
        (V{"", ">>>> a: not found in 2nd directory!", ">>>> alias: not found in 2nd directory!",
           ">>>> dangling: error reading 1st file!", ">>>> me: error reading 1st file!", kRule,
           "SUBDIR: sub", kRule, ">>>> b: not found in 2nd directory!", "",
           "Comparison terminated.", "Compared 5 file(s);  0.04 KB", "Equal: 0;   different: 5"}));
}

TEST_F(DirectoryRunTest, ControlBytesNeverSplitAReportLine) {
    tree.write("L/bad\nname", "1");
    tree.write("L/sub\tdir/x", "1");
    request.options.filter = "*\n";
    run.run();
    for (const auto& line : lines()) {
        EXPECT_TRUE(std::none_of(line.begin(), line.end(), [](char c) {
            return static_cast<unsigned char>(c) < 0x20;
        })) << line;
    }
    EXPECT_EQ(report.line(2), "(filter:  *?)");
    EXPECT_EQ(body()[1], ">>>> bad?name: not found in 2nd directory!");
    EXPECT_EQ(body()[3], "SUBDIR: sub?dir");
}

TEST_F(DirectoryRunTest, TrailingSlashIsDroppedFromTheHeadings) {
    request.left = tree.path("L") + "/";
    run.run();
    EXPECT_EQ(report.line(0), "Comparison of directory " + tree.path("L"));
}

} // namespace
} // namespace quorvel
