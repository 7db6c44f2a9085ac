#include "engine/ContentHash.h"
#include "engine/ManifestComparison.h"
#include "report/ReportRecorder.h"
#include "support/EngineFixture.h"

#include <cerrno>

namespace quorvel {
namespace {

using test::expectedBody;
const std::string& kRule = test::kBlockRule;

class MovesTest : public test::EngineFixture {
protected:
    MovesTest() {
        request.options.moves = true;
        request.options.onlyDifferent = true;
    }

    // Each pair line's move candidates, "|" between them.
    std::vector<std::string> candidates() const {
        std::vector<std::string> all;
        for (std::size_t i = 0; i < report.count(); ++i) {
            if (const auto pair = report.pair(i); pair && !pair->moveCandidates.empty()) {
                std::string listed(pair->moveCandidates);
                std::replace(listed.begin(), listed.end(), '\0', '|');
                all.push_back(std::string(pair->name) + ": " + listed);
            }
        }
        return all;
    }
};

TEST_F(MovesTest, ARenameAndAMoveIntoAnotherFolderAreEachOneLineThatCountsAsEqual) {
    tree.write("L/old.txt", "renamed");
    tree.write("R/new.txt", "renamed");
    tree.write("L/sub/a.bin", "moved away");
    tree.write("R/elsewhere/deeper/a.bin", "moved away");
    tree.write("L/same", "s");
    tree.write("R/same", "s");
    run.run();
    EXPECT_EQ(body(), expectedBody({"old.txt: moved to new.txt.", kRule, "SUBDIR: sub", kRule,
                                    "a.bin: moved to elsewhere/deeper/a.bin."},
                                   3, "0.02 KB", 3, 0))
        << "listed though only differences are asked for; the right-only folder is left out";
    EXPECT_EQ(run.state().counters.differentCount, 0);
    EXPECT_EQ(files.counts.bytesRead, 2 * (7 + 10 + 1)) << "each file read once";
}

TEST_F(MovesTest, WhatIsNoEvidenceOrNoOneMatchIsListedAsBefore) {
    tree.write("L/empty", "");
    tree.write("R/empty too", "");
    tree.write("L/twin", "same bytes");
    tree.write("R/twin 1", "same bytes");
    tree.write("R/twin 2", "same bytes");
    tree.write("L/alike", "abc");
    tree.write("R/unlike", "abd");
    run.run();
    EXPECT_EQ(body(), expectedBody({">>>> alike: not found in 2nd directory!",
                                    ">>>> empty: not found in 2nd directory!",
                                    ">>>> twin: not found in 2nd directory!",
                                    ">>>> empty too: not found in 1st directory!",
                                    ">>>> twin 1: not found in 1st directory!",
                                    ">>>> twin 2: not found in 1st directory!",
                                    ">>>> unlike: not found in 1st directory!"},
                                   7, "0.01 KB", 0, 7));
    EXPECT_EQ(candidates(),
              (std::vector<std::string>{"twin: twin 1|twin 2|", "twin 1: twin|", "twin 2: twin|"}));
}

TEST_F(MovesTest, FilesOfOneSizeAreToldApartByTheirLastBlock) {
    std::string big(300000, 'x');
    tree.write("L/big", big);
    tree.write("R/big copy", big);
    big.back() = 'y';
    tree.write("L/big changed", big);
    run.run();
    EXPECT_EQ(body(), expectedBody({"big: moved to big copy.",
                                    ">>>> big changed: not found in 2nd directory!"},
                                   2, "585.94 KB", 1, 1));
}

TEST_F(MovesTest, ManyFilesOfOneSizeAreHashedFirstAndStillComparedByteForByte) {
    for (int i = 0; i < 300; ++i) {
        tree.write("L/f" + std::to_string(1000 + i), std::to_string(1000 + i));
    }
    tree.write("R/found", "1234");
    run.run();
    const auto lines = body();
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "f1234: moved to found."), 1);
    EXPECT_EQ(run.state().counters.differentCount, 299);
}

TEST_F(MovesTest, AFileThatCannotBeReadIsMatchedWithNoneAndIsTrouble) {
    tree.write("L/a", "contents");
    tree.write("R/b", "contents");
    files.onRead = [&](const std::string& path, int, std::int64_t count) {
        return path == tree.path("R/b") ? -1 : count;
    };
    run.run();
    EXPECT_EQ(body(), expectedBody({">>>> a: not found in 2nd directory!",
                                    ">>>> b: not found in 1st directory!"},
                                   2, "0.01 KB", 0, 2));
    EXPECT_EQ(observer.readProblems,
              (std::vector<std::pair<std::string, int>>{{tree.path("R/b"), EIO}}));
}

TEST_F(MovesTest, AfterAnAbortWhatWasHeldIsWrittenAndNothingIsMatched) {
    tree.write("L/a", "would be moved");
    tree.write("R/b", "would be moved");
    tree.writeSized("L/sub/big", 500000);
    tree.writeSized("R/sub/big", 500000);
    files.onRead = [&](const std::string& path, int, std::int64_t count) {
        if (path == tree.path("L/sub/big")) {
            run.requestAbort();
        }
        return count;
    };
    run.run();
    EXPECT_EQ(body(), (std::vector<std::string>{"", ">>>> a: not found in 2nd directory!",
                                                ">>>> b: not found in 1st directory!", "",
                                                "Comparison interrupted by user!",
                                                "Compared 2 file(s);  0.01 KB",
                                                "Equal: 0;   different: 2"}));
}

TEST_F(MovesTest, WithoutMovesTheFilesStayOnTheirSides) {
    tree.write("L/old", "x");
    tree.write("R/new", "x");
    request.options.moves = false;
    request.options.bothSides = true;
    run.run();
    EXPECT_EQ(body(), expectedBody({">>>> old: not found in 2nd directory!",
                                    ">>>> new: not found in 1st directory!"},
                                   2, "0.00 KB", 0, 2));
}

TEST(MovesManifestTest, AManifestsHashStandsForReadingItsSide) {
    test::TempTree tree;
    tree.write("moved/here.txt", "kept safe");
    tree.write("other.txt", "not in the manifest");
    Manifest manifest;
    const auto add = [&](const char* path, const std::string& content) {
        ContentHash hash;
        hash.add(content);
        manifest.entries.add({path, static_cast<std::int64_t>(content.size()), 0, hash.digest()});
    };
    add("gone.txt", "not in the tree");
    add("was/there.txt", "kept safe");
    RunRequest request;
    request.mode = CompareMode::DirectoryWithDirectory;
    request.options.moves = true;
    test::RecordingObserver observer;
    Report report;
    LanguageStrings strings;
    ReportRecorder recorder(report, strings, ".");
    test::HookedFileAccess files;
    ManifestComparison run(observer, recorder, files);
    run.begin(request, {"m.qvm", &manifest, {}}, {tree.root(), nullptr, {}});
    run.comparePairs();
    run.end();
    std::vector<std::string> results;
    for (std::size_t i = 0; i < report.count(); ++i) {
        if (const auto pair = report.pair(i)) {
            results.push_back(std::string(pair->name) + " " + std::string(pair->rightPath));
        }
    }
    EXPECT_EQ(results,
              (std::vector<std::string>{"gone.txt ", "other.txt ", "there.txt moved/here.txt"}));
    EXPECT_EQ(run.state().counters.differentCount, 2);
}

} // namespace
} // namespace quorvel
