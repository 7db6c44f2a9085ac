#include "engine/ContainmentRun.h"
#include "engine/RunRecord.h"
#include "support/HookedFileAccess.h"
#include "support/RecordingObserver.h"
#include "support/TempTree.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

namespace quorvel {
namespace {

// The lines a run writes: "SUBDIR dir", "name present as PATH", "name missing", or the name
// with the result's number.
class ContainmentLog : public RunRecord {
public:
    std::vector<std::string> lines;

    void clear(const RunRequest&) override { lines.clear(); }
    void heading(HeadingKind, std::string_view) override {}
    void quotedHeading(QuotedKind, std::string_view) override {}
    void optionHeadings() override {}
    void blank() override {}
    void subdirectory(std::string_view relativePath) override {
        lines.push_back("SUBDIR " + std::string(relativePath));
    }
    void pair(const PairRecord& facts) override {
        std::string line(facts.name);
        if (facts.result == CompareResult::Present) {
            line += " present as " + std::string(facts.rightPath);
        } else if (facts.result == CompareResult::Missing) {
            line += " missing";
        } else {
            line += " result " + std::to_string(static_cast<int>(facts.result));
        }
        lines.push_back(line);
    }
    void status(bool) override {}
    void summary(const RunCounters&, bool) override {}
};

using Files = std::vector<std::pair<std::string, std::string>>;

class ContainmentRunTest : public ::testing::Test {
protected:
    void write(const Files& left, const Files& right) const {
        tree.mkdir("L");
        tree.mkdir("R");
        for (const auto& [path, contents] : left) {
            tree.write("L/" + path, contents);
        }
        for (const auto& [path, contents] : right) {
            tree.write("R/" + path, contents);
        }
    }

    // The real file system hashes on other threads; the hooked one on the run's own.
    const std::vector<std::string>& compare(ContainmentRun& containment) {
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
    const std::vector<std::string>& compare() { return compare(run); }

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
    Files left;
    Files right;
    std::vector<std::string> lines;
    void (*options)(CompareOptions&);
};

// Named in a failure's message, as the row is named.
void PrintTo(const Case& row, std::ostream* out) {
    *out << row.name;
}

class ContainmentCases : public ContainmentRunTest, public ::testing::WithParamInterface<Case> {};

// Files by name first, then subdirectories: "m.txt" is met before "a/n.txt".
const Case kCases[] = {
    {"ElsewhereUnderAnotherName",
     {{"a/doc.txt", "hello"}},
     {{"x/y/other.bin", "hello"}},
     {"SUBDIR a", "doc.txt present as x/y/other.bin"},
     nullptr},
    {"NoFileOfItsSize", {{"a.txt", "abc"}}, {{"b.txt", "abcd"}}, {"a.txt missing"}, nullptr},
    {"OneOfItsSizeWithOtherBytes",
     {{"a.txt", "abc"}},
     {{"b.txt", "abd"}},
     {"a.txt missing"},
     nullptr},
    {"DuplicatesOnTheRightGiveTheFirstInWalkOrder",
     {{"a.txt", "dup"}},
     {{"a/n.txt", "dup"}, {"m.txt", "dup"}},
     {"a.txt present as m.txt"},
     nullptr},
    {"TwoLeftFilesWithOneContents",
     {{"a.txt", "same"}, {"b.txt", "same"}},
     {{"c/d.txt", "same"}},
     {"a.txt present as c/d.txt", "b.txt present as c/d.txt"},
     nullptr},
    {"SeveralOfOneSizeToldApartByHash",
     {{"x.txt", "cccc"}, {"y.txt", "dddd"}},
     {{"1.txt", "aaaa"}, {"2.txt", "bbbb"}, {"s/3.txt", "cccc"}, {"t/4.txt", "cccc"}},
     {"x.txt present as s/3.txt", "y.txt missing"},
     nullptr},
    {"EmptyWhereTheRightHasEmptyFiles",
     {{"e.txt", ""}},
     {{"q/1.txt", ""}, {"q/2.txt", ""}, {"r.txt", "r"}},
     {"e.txt present as q/1.txt"},
     nullptr},
    {"EmptyWhereTheRightHasNone", {{"e.txt", ""}}, {{"r.txt", "r"}}, {"e.txt missing"}, nullptr},
    {"FilterAppliesToTheSecondTree",
     {{"a.txt", "x"}},
     {{"a.log", "x"}},
     {"a.txt missing"},
     [](CompareOptions& o) { o.filter = "*.txt"; }},
    {"ExclusionsApplyToTheSecondTree",
     {{"a.txt", "x"}},
     {{"old/a.txt", "x"}},
     {"a.txt missing"},
     [](CompareOptions& o) { o.exclusions = "old"; }},
    {"NoRecursionOnEitherSide",
     {{"a.txt", "x"}, {"sub/b.txt", "y"}},
     {{"deep/a.txt", "x"}, {"b.txt", "y"}},
     {"a.txt missing"},
     [](CompareOptions& o) { o.recurse = false; }},
};

TEST_P(ContainmentCases, EachLeftFileIsPresentAsTheFirstMatchOrMissing) {
    const Case& c = GetParam();
    write(c.left, c.right);
    if (c.options) {
        c.options(options);
    }
    EXPECT_EQ(compare(), c.lines);
    EXPECT_FALSE(run.state().runInterrupted);
    EXPECT_TRUE(observer.readProblems.empty());
}

TEST_P(ContainmentCases, AreAnsweredAlikeWithHashesMadeOnOtherThreads) {
    const Case& c = GetParam();
    write(c.left, c.right);
    if (c.options) {
        c.options(options);
    }
    PosixFileAccess posix;
    ASSERT_NE(posix.forAnotherThread(), nullptr);
    ContainmentRun threaded{observer, log, posix};
    EXPECT_EQ(compare(threaded), c.lines);
    EXPECT_TRUE(observer.readProblems.empty());
}

INSTANTIATE_TEST_SUITE_P(Containment, ContainmentCases, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(ContainmentRunTest, EachRightFileIsHashedOnceHoweverManyLeftFilesHaveItsSize) {
    write({{"a.txt", "1111"}, {"b.txt", "2222"}, {"c.txt", "3333"}},
          {{"1.txt", "3333"}, {"2.txt", "2222"}, {"3.txt", "1111"}});
    compare();
    // Three left hashes, three right ones and three byte comparisons of two files each.
    EXPECT_EQ(files.counts.opens, 3 + 3 + 3 * 2);
    EXPECT_EQ(run.state().counters.differentCount, 0);
}

TEST_F(ContainmentRunTest, PresentFilesCountAsEqualAndAreListedOnlyWhenAskedFor) {
    write({{"a.txt", "a"}, {"s/b.txt", "b"}, {"t/c.txt", "c"}}, {{"z/a.txt", "a"}, {"b", "b"}});
    options.onlyDifferent = true;
    EXPECT_EQ(compare(), (std::vector<std::string>{"SUBDIR t", "c.txt missing"}));
    EXPECT_EQ(run.state().counters.filesCompared, 3);
    EXPECT_EQ(run.state().counters.differentCount, 1);
    EXPECT_DOUBLE_EQ(run.state().counters.bytesCompared, 3);
}

TEST_F(ContainmentRunTest, ARightFileThatCannotBeReadIsNoCandidateAndIsTold) {
    write({{"a.txt", "good"}}, {{"1.txt", "good"}, {"2.txt", "good"}});
    files.onRead = [this](const std::string& path, int, std::int64_t count) {
        return path == tree.path("R/1.txt") ? -1 : count;
    };
    EXPECT_EQ(compare(), (std::vector<std::string>{"a.txt present as 2.txt"}));
    ASSERT_EQ(observer.readProblems.size(), 1u);
    EXPECT_EQ(observer.readProblems[0], std::make_pair(tree.path("R/1.txt"), EIO));
}

TEST_F(ContainmentRunTest, ALeftFileThatCannotBeReadIsTroubleOnEitherPath) {
    // "solo!" has one file of its size on the right, compared at once; "pair" two, hashed.
    write({{"one.txt", "solo!"}, {"two.txt", "pair"}},
          {{"1.txt", "solo!"}, {"2.txt", "pai2"}, {"3.txt", "pair"}});
    files.onRead = [this](const std::string& path, int, std::int64_t count) {
        return path.starts_with(tree.path("L/")) ? -1 : count;
    };
    const auto unreadable = std::to_string(static_cast<int>(CompareResult::ErrorReading1st));
    EXPECT_EQ(compare(), (std::vector<std::string>{"one.txt result " + unreadable,
                                                   "two.txt result " + unreadable}));
    EXPECT_EQ(observer.readProblems.size(), 2u);
    EXPECT_EQ(run.state().counters.differentCount, 2);
}

TEST_F(ContainmentRunTest, ALeftLinkThatLeadsNowhereIsTroubleNotMissing) {
    write({}, {{"r.txt", "r"}});
    tree.symlink("nowhere", "L/broken.txt");
    EXPECT_EQ(compare(), (std::vector<std::string>{
                             "broken.txt result " +
                             std::to_string(static_cast<int>(CompareResult::ErrorReading1st))}));
    ASSERT_EQ(observer.readProblems.size(), 1u);
    EXPECT_EQ(observer.readProblems[0], std::make_pair(tree.path("L/broken.txt"), ENOENT));
}

TEST_F(ContainmentRunTest, UnreadableDirectoriesAreNamedOnBothSides) {
    write({{"a.txt", "a"}, {"lost/b.txt", "b"}}, {{"a.txt", "a"}, {"hidden/c.txt", "c"}});
    files.unreadableDirectories = {tree.path("L/lost"), tree.path("R/hidden")};
    const auto lines = compare();
    const auto result = [](CompareResult r) { return std::to_string(static_cast<int>(r)); };
    EXPECT_EQ(lines, (std::vector<std::string>{
                         "SUBDIR hidden", "hidden/ result " + result(CompareResult::NotFoundIn1st),
                         "a.txt present as a.txt", "SUBDIR lost",
                         "lost/ result " + result(CompareResult::ErrorReading1st)}));
    EXPECT_EQ(observer.readProblems.size(), 2u);
    EXPECT_EQ(run.state().counters.differentCount, 2);
}

TEST_F(ContainmentRunTest, AnAbortEndsTheRunInterruptedWithTheFilesSoFar) {
    Files left;
    for (int i = 0; i < 20; ++i) {
        left.emplace_back("f" + std::to_string(100 + i) + ".txt", std::to_string(100 + i));
    }
    write(left, left);
    int begun = 0;
    observer.onPairBegun = [&](std::string_view) {
        if (++begun == 5) {
            run.requestAbort();
        }
    };
    EXPECT_EQ(compare().size(), 4u);
    EXPECT_TRUE(run.state().runInterrupted);
    EXPECT_EQ(run.state().counters.filesCompared, 4);
}

} // namespace
} // namespace quorvel
