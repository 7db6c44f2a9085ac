#include "engine/ContainmentRun.h"
#include "engine/RunRecord.h"
#include "support/HookedFileAccess.h"
#include "support/RecordingObserver.h"
#include "support/TempTree.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <initializer_list>
#include <ostream>
#include <sstream>
#include <string>
#include <utility>

namespace quorvel {
namespace {

// The lines of a run, ", " between them: "SUBDIR dir", "name present as PATH", "name missing",
// or the name and the result's number.
class ContainmentLog : public RunRecord {
public:
    std::string lines;

    void clear(const RunRequest&) override { lines.clear(); }
    void heading(HeadingKind, std::string_view) override {}
    void quotedHeading(QuotedKind, std::string_view) override {}
    void optionHeadings() override {}
    void blank() override {}
    void subdirectory(std::string_view path) override { add("SUBDIR " + std::string(path)); }
    void pair(const PairRecord& facts) override {
        const auto result = facts.result == CompareResult::Present
                                ? "present as " + std::string(facts.rightPath)
                            : facts.result == CompareResult::Missing
                                ? std::string("missing")
                                : std::to_string(static_cast<int>(facts.result));
        add(std::string(facts.name) + " " + result);
    }
    void status(bool) override {}
    void summary(const RunCounters&, bool) override {}

private:
    void add(const std::string& line) { lines += (lines.empty() ? "" : ", ") + line; }
};

const std::string kUnreadable = std::to_string(static_cast<int>(CompareResult::ErrorReading1st));

class ContainmentRunTest : public ::testing::Test {
protected:
    // Writes "PATH=CONTENTS ..." under L and R.
    void write(const std::string& left, const std::string& right) const {
        for (const auto& [side, files] : {std::pair{"L", left}, std::pair{"R", right}}) {
            tree.mkdir(side);
            std::istringstream words(files);
            for (std::string word; words >> word;) {
                const auto eq = word.find('=');
                // Appended, not "/" + ...: GCC's -O3 warns falsely of an overlap there.
                std::string path(side);
                path.append("/").append(word, 0, eq);
                tree.write(path, word.substr(eq + 1));
            }
        }
    }

    const std::string& compare(ContainmentRun& containment) {
        RunRequest request;
        request.mode = CompareMode::DirectoryWithDirectory;
        request.leftDirectory = tree.path("L");
        request.rightDirectory = tree.path("R");
        request.options = options;
        containment.begin(request);
        containment.sumSizes();
        containment.comparePairs();
        containment.end();
        return log.lines;
    }
    const std::string& compare() { return compare(run); }

    CompareOptions options = [] {
        CompareOptions all;
        all.onlyDifferent = false;
        all.anywhere = true;
        return all;
    }();
    test::TempTree tree;
    test::RecordingObserver observer;
    ContainmentLog log;
    test::HookedFileAccess files;
    ContainmentRun run{observer, log, files};
};

struct Case {
    const char* name;
    const char* left;
    const char* right;
    const char* lines;
    void (*options)(CompareOptions&);
};

// Named in a failure's message, as the row is named.
void PrintTo(const Case& row, std::ostream* out) {
    *out << row.name;
}

class ContainmentCases : public ContainmentRunTest, public ::testing::WithParamInterface<Case> {};

// A directory's files come before its subdirectories: "m.txt" is met before "a/n.txt".
const Case kCases[] = {
    {"ElsewhereUnderAnotherName", "a/doc.txt=hello", "x/y/other.bin=hello",
     "SUBDIR a, doc.txt present as x/y/other.bin", nullptr},
    {"NoFileOfItsSize", "a.txt=abc", "b.txt=abcd", "a.txt missing", nullptr},
    {"OneOfItsSizeWithOtherBytes", "a.txt=abc", "b.txt=abd", "a.txt missing", nullptr},
    {"DuplicatesGiveTheFirstInWalkOrder", "a.txt=dup", "a/n.txt=dup m.txt=dup",
     "a.txt present as m.txt", nullptr},
    {"TwoLeftFilesWithOneContents", "a.txt=same b.txt=same", "c/d.txt=same",
     "a.txt present as c/d.txt, b.txt present as c/d.txt", nullptr},
    {"SeveralOfOneSizeToldApartByHash", "x.txt=cccc y.txt=dddd",
     "1.txt=aaaa 2.txt=bbbb s/3.txt=cccc t/4.txt=cccc", "x.txt present as s/3.txt, y.txt missing",
     nullptr},
    {"EmptyWhereTheRightHasEmptyFiles", "e.txt=", "q/1.txt= q/2.txt= r.txt=r",
     "e.txt present as q/1.txt", nullptr},
    {"EmptyWhereTheRightHasNone", "e.txt=", "r.txt=r", "e.txt missing", nullptr},
    {"FilterAppliesToTheSecondTree", "a.txt=x", "a.log=x", "a.txt missing",
     [](CompareOptions& o) { o.filter = "*.txt"; }},
    {"ExclusionsApplyToTheSecondTree", "a.txt=x", "old/a.txt=x", "a.txt missing",
     [](CompareOptions& o) { o.exclusions = "old"; }},
    {"PresentFilesListedOnlyWhenAskedFor", "a.txt=a s/b.txt=b t/c.txt=c", "z/a.txt=a b=b",
     "SUBDIR t, c.txt missing", [](CompareOptions& o) { o.onlyDifferent = true; }},
    {"NoRecursionOnEitherSide", "a.txt=x sub/b.txt=y", "deep/a.txt=x b.txt=y", "a.txt missing",
     [](CompareOptions& o) { o.recurse = false; }},
};

TEST_P(ContainmentCases, EachLeftFileIsPresentAsTheFirstMatchOrMissing) {
    const Case& c = GetParam();
    write(c.left, c.right);
    if (c.options) {
        c.options(options);
    }
    // The real file system hashes on other threads, the hooked one on the run's own.
    PosixFileAccess threaded;
    ASSERT_NE(threaded.forAnotherThread(), nullptr);
    for (FileAccess* access : std::initializer_list<FileAccess*>{&files, &threaded}) {
        ContainmentRun containment{observer, log, *access};
        EXPECT_EQ(compare(containment), c.lines);
        EXPECT_FALSE(containment.state().runInterrupted);
    }
    EXPECT_TRUE(observer.readProblems.empty());
}

INSTANTIATE_TEST_SUITE_P(Containment, ContainmentCases, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(ContainmentRunTest, EachRightFileIsHashedOnceHoweverManyLeftFilesHaveItsSize) {
    write("a.txt=1111 b.txt=2222 c.txt=3333", "1.txt=3333 2.txt=2222 3.txt=1111");
    compare();
    // Three left hashes, which keep the bytes of files this small, three right ones, and each
    // match read once more.
    EXPECT_EQ(files.counts.opens, 3 + 3 + 3);
    EXPECT_EQ(run.state().counters.differentCount, 0);
}

TEST_F(ContainmentRunTest, AMatchingHashIsOnlyACandidateUntilTheBytesAreComparedAgain) {
    const std::string big(200000, 'b');
    write("a.txt=1111 big=" + big,
          "1.txt=1111 2.txt=2222 x/big=" + big + " y/big2=" + big.substr(1) + "c");
    // After the right files' hashes, the match changes its bytes and keeps its size.
    files.onRead = [this](const std::string& path, int read, std::int64_t count) {
        if (path == tree.path("L/a.txt") && read == 1) {
            tree.write("R/1.txt", "1112");
        }
        return count;
    };
    EXPECT_EQ(compare(), "a.txt missing, big present as x/big");
    // The big file, too long to keep, is read again beside its match.
    EXPECT_EQ(files.counts.opens, (1 + 2 + 1) + (1 + 2 + 2));
}

TEST_F(ContainmentRunTest, ARightFileThatCannotBeReadIsNoCandidateAndIsTold) {
    write("a.txt=good", "1.txt=good 2.txt=good");
    tree.symlink("nowhere", "R/3.txt");
    files.onRead = [this](const std::string& path, int, std::int64_t count) {
        return path == tree.path("R/1.txt") ? -1 : count;
    };
    EXPECT_EQ(compare(), "a.txt present as 2.txt");
    EXPECT_EQ(observer.readProblems,
              (std::vector<std::pair<std::string, int>>{{tree.path("R/3.txt"), ENOENT},
                                                        {tree.path("R/1.txt"), EIO}}));
}

TEST_F(ContainmentRunTest, ALeftFileThatCannotBeReadIsTroubleWhateverItsSize) {
    // "solo!" has one file of its size on the right, compared at once; "pair" two, hashed; a
    // link that leads nowhere none.
    write("one.txt=solo! two.txt=pair", "1.txt=solo! 2.txt=pai2 3.txt=pair");
    tree.symlink("nowhere", "L/zero.txt");
    files.onRead = [this](const std::string& path, int, std::int64_t count) {
        return path.starts_with(tree.path("L/")) ? -1 : count;
    };
    EXPECT_EQ(compare(),
              "one.txt " + kUnreadable + ", two.txt " + kUnreadable + ", zero.txt " + kUnreadable);
    EXPECT_EQ(observer.readProblems.size(), 3u);
    EXPECT_EQ(run.state().counters.differentCount, 3);
}

TEST_F(ContainmentRunTest, UnreadableDirectoriesAreNamedOnBothSides) {
    write("a.txt=a lost/b.txt=b", "a.txt=a hidden/c.txt=c");
    files.unreadableDirectories = {tree.path("L/lost"), tree.path("R/hidden")};
    EXPECT_EQ(compare(), "SUBDIR hidden, hidden/ " +
                             std::to_string(static_cast<int>(CompareResult::NotFoundIn1st)) +
                             ", a.txt present as a.txt, SUBDIR lost, lost/ " + kUnreadable);
    EXPECT_EQ(observer.readProblems.size(), 2u);
    EXPECT_EQ(run.state().counters.differentCount, 2);
}

TEST_F(ContainmentRunTest, AnAbortEndsTheRunInterruptedWithTheFilesSoFar) {
    std::string files;
    for (int i = 100; i < 120; ++i) {
        files += " f" + std::to_string(i) + "=" + std::to_string(i);
    }
    write(files, files);
    observer.onPairBegun = [&, begun = 0](std::string_view) mutable {
        if (++begun == 5) {
            run.requestAbort();
        }
    };
    EXPECT_EQ(compare(), "f100 present as f100, f101 present as f101, f102 present as f102, "
                         "f103 present as f103");
    EXPECT_TRUE(run.state().runInterrupted);
    EXPECT_EQ(run.state().counters.filesCompared, 4);
}

} // namespace
} // namespace quorvel
