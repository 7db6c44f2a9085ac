#include "engine/NameKey.h"
#include "support/EngineFixture.h"

namespace quorvel {
namespace {

using test::expectedBody;
const std::string& kRule = test::kBlockRule;

// "é" composed, and as "e" with the combining acute accent.
const std::string kComposed = "caf\xc3\xa9";
const std::string kDecomposed = "cafe\xcc\x81";

struct KeyRow {
    const char* name;
    std::string a;
    std::string b;
    NameRule rule;
    bool namesakes;
};

TEST(NameKeyTest, NamesAreNamesakesExactlyWhereTheRuleSaysSo) {
    const KeyRow rows[] = {
        {"exact keeps letter case apart", "Photo.JPG", "photo.jpg", NameRule::Exact, false},
        {"case folds ASCII letters", "Photo.JPG", "photo.jpg", NameRule::Case, true},
        {"case folds letters beyond ASCII", "\xc3\x84rger", "\xc3\xa4rger", NameRule::Case, true},
        {"case keeps the forms apart", kComposed, kDecomposed, NameRule::Case, false},
        {"unicode joins the forms", kComposed, kDecomposed, NameRule::Unicode, true},
        {"unicode keeps letter case apart", "A", "a", NameRule::Unicode, false},
        {"both join case and form", "CAF\xc3\x89", kDecomposed, NameRule::CaseUnicode, true},
        {"a fold takes one letter for one",
         "stra\xc3\x9f"
         "e",
         "strasse", NameRule::Case, false},
        {"invalid text is matched byte for byte", "A\xff", "a\xff", NameRule::CaseUnicode, false},
        {"invalid text is its own namesake", "A\xff", "A\xff", NameRule::CaseUnicode, true},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(nameKey(row.a, row.rule) == nameKey(row.b, row.rule), row.namesakes) << row.name;
    }
}

class NameRuleTest : public test::EngineFixture {
protected:
    NameRuleTest() { request.options.bothSides = true; }
};

TEST_F(NameRuleTest, ByDefaultNamesSpeltOtherwiseAreOnOneSideEach) {
    tree.write("L/Photo.JPG", "1");
    tree.write("R/photo.jpg", "1");
    run.run();
    EXPECT_EQ(body(), expectedBody({">>>> Photo.JPG: not found in 2nd directory!",
                                    ">>>> photo.jpg: not found in 1st directory!"},
                                   2, "0.00 KB", 0, 2));
}

TEST_F(NameRuleTest, NamesDifferingInLetterCaseArePairedAndShowBothSpellings) {
    tree.write("L/Photo.JPG", "1");
    tree.write("R/photo.jpg", "1");
    tree.write("L/\xc3\x84rger", "2");
    tree.write("R/\xc3\xa4rger", "3");
    request.options.names = NameRule::Case;
    run.run();
    EXPECT_EQ(body(), expectedBody({"Photo.JPG -> photo.jpg: equal.",
                                    ">>>> \xc3\x84rger -> \xc3\xa4rger: different contents!"},
                                   2, "0.00 KB", 1, 1));
    std::vector<std::string> rightPaths;
    for (std::size_t i = 0; i < report.count(); ++i) {
        if (const auto pair = report.pair(i)) {
            rightPaths.emplace_back(pair->rightPath);
        }
    }
    EXPECT_EQ(rightPaths, (std::vector<std::string>{"photo.jpg", "\xc3\xa4rger"}));
}

TEST_F(NameRuleTest, NamesInEitherUnicodeFormArePaired) {
    tree.write("L/" + kComposed, "1");
    tree.write("R/" + kDecomposed, "1");
    request.options.names = NameRule::Unicode;
    run.run();
    EXPECT_EQ(body(),
              expectedBody({kComposed + " -> " + kDecomposed + ": equal."}, 1, "0.00 KB", 1, 0));
}

TEST_F(NameRuleTest, NamesSharingAKeyOnOneSideAreEachACollisionAndPairedWithNone) {
    tree.write("L/Dup", "1");
    tree.write("L/dup", "1");
    tree.write("R/dup", "1");
    tree.write("L/one", "1");
    tree.write("R/Two", "1");
    tree.write("R/TWO", "1");
    tree.write("L/two", "1");
    request.options.names = NameRule::Case;
    run.run();
    EXPECT_EQ(body(),
              expectedBody({">>>> Dup: name collision! (dup)", ">>>> dup: name collision! (Dup)",
                            ">>>> one: not found in 2nd directory!",
                            ">>>> two: name collision! (-> TWO, Two)",
                            ">>>> dup: name collision! (<- Dup, dup)",
                            ">>>> TWO: name collision! (Two)", ">>>> Two: name collision! (TWO)"},
                           7, "0.00 KB", 0, 7));
    EXPECT_EQ(run.state().counters.bytesCompared, 1) << "only the size of \"one\" counts";
}

TEST_F(NameRuleTest, ADirectoryIsWalkedWithItsNamesakeSpeltOtherwise) {
    tree.write("L/Docs/x", "1");
    tree.write("R/docs/x", "1");
    tree.write("R/docs/y", "1");
    tree.write("L/Docs/Deep/z", "1");
    tree.write("R/docs/deep/z", "1");
    request.options.names = NameRule::Case;
    run.run();
    EXPECT_EQ(body(), expectedBody({kRule, "SUBDIR: Docs", kRule, "x: equal.",
                                    ">>>> y: not found in 1st directory!", kRule,
                                    "SUBDIR: Docs/Deep", kRule, "z: equal."},
                                   3, "0.00 KB", 2, 1));
    std::vector<std::string> rightPaths;
    for (std::size_t i = 0; i < report.count(); ++i) {
        if (const auto pair = report.pair(i)) {
            rightPaths.emplace_back(pair->rightPath.empty() ? std::string("(same)")
                                                            : std::string(pair->rightPath));
        }
    }
    EXPECT_EQ(rightPaths, (std::vector<std::string>{"docs/x", "(same)", "docs/deep/z"}));
}

TEST_F(NameRuleTest, CollidingDirectoriesAreListedAndNotWalked) {
    tree.write("L/Sub/a", "1");
    tree.write("L/sub/a", "1");
    tree.write("R/sub/a", "1");
    request.options.names = NameRule::Case;
    run.run();
    EXPECT_EQ(body(),
              expectedBody({">>>> Sub/: name collision! (sub)", ">>>> sub/: name collision! (Sub)",
                            ">>>> sub/: name collision! (<- Sub, sub)"},
                           3, "0.00 KB", 0, 3));
}

TEST_F(NameRuleTest, AChosenFileFindsItsNamesakeSpeltOtherwise) {
    tree.write("L/Photo.JPG", "1");
    tree.write("L/Dup", "1");
    tree.write("L/dup", "1");
    tree.write("R/photo.jpg", "1");
    request.mode = CompareMode::FilesWithDirectory;
    request.leftSelection = {"Photo.JPG", "Dup"};
    request.options.names = NameRule::Case;
    run.run();
    EXPECT_EQ(body(),
              expectedBody({"Photo.JPG -> photo.jpg: equal.", ">>>> Dup: name collision! (dup)"}, 2,
                           "0.00 KB", 1, 1));
}

} // namespace
} // namespace quorvel
