#include "lang/LanguageStrings.h"
#include "report/JsonReportLines.h"
#include "report/Report.h"
#include "report/ReportRecorder.h"

#include <gtest/gtest.h>

#include <string>

namespace quorvel {
namespace {

PairRecord matched(std::string_view directory, std::string_view name, std::string_view rightPath) {
    PairRecord pair{directory, name, CompareResult::Equal, 1, 1, 0};
    pair.rightPath = rightPath;
    return pair;
}

PairRecord collision(std::string_view name, int side, std::string_view others, int theirSide) {
    PairRecord pair{"", name, CompareResult::NameCollision, std::nullopt, std::nullopt, 0};
    pair.nameSide = side;
    pair.collidesWith = others;
    pair.collidingSide = theirSide;
    return pair;
}

PairRecord elsewhere(CompareResult result, std::string_view rightPath, std::string_view others) {
    PairRecord pair{"sub", "old", result, 2, std::nullopt, 0};
    pair.rightPath = rightPath;
    pair.moveCandidates = others;
    return pair;
}

TEST(NameMatchedLines, BothSpellingsAndTheCollidingNamesReachTheLineTheJsonAndTheKeptPair) {
    struct Row {
        const char* name;
        PairRecord pair;
        const char* line;
        const char* json;
    };
    const Row rows[] = {
        {"a name spelt otherwise", matched("", "Photo.JPG", "photo.jpg"),
         "Photo.JPG -> photo.jpg: equal.",
         R"({"type":"pair","path":"Photo.JPG","right_path":"photo.jpg","result":"equal",)"
         R"("left_size":1,"right_size":1,"error":null,"error_code":null})"},
        {"only the directory spelt otherwise", matched("Docs", "x", "docs/x"), "x: equal.",
         R"({"type":"pair","path":"Docs/x","right_path":"docs/x","result":"equal",)"
         R"("left_size":1,"right_size":1,"error":null,"error_code":null})"},
        {"a collision on its own side", collision("Dup", 1, "dup", 1),
         ">>>> Dup: name collision! (dup)",
         R"({"type":"pair","path":"Dup","result":"name-collision","left_size":null,)"
         R"("right_size":null,"side":"left","collides_with":["dup"],"collides_on":"left",)"
         R"("error":null,"error_code":null})"},
        {"a right name meeting two left ones", collision("dup", 2, "Dup/dUp", 1),
         ">>>> dup: name collision! (<- Dup, dUp)",
         R"({"type":"pair","path":"dup","result":"name-collision","left_size":null,)"
         R"("right_size":null,"side":"right","collides_with":["Dup","dUp"],)"
         R"("collides_on":"left","error":null,"error_code":null})"},
        {"a file moved", elsewhere(CompareResult::Moved, "new/place", {}),
         "old: moved to new/place.",
         R"({"type":"pair","path":"sub/old","moved_to":"new/place","result":"moved",)"
         R"("left_size":2,"right_size":null,"error":null,"error_code":null})"},
        {"a file with two candidates",
         elsewhere(CompareResult::NotFoundIn2nd, {}, std::string_view("a\0b/c\0", 6)),
         ">>>> old: not found in 2nd directory!",
         R"({"type":"pair","path":"sub/old","result":"not-found-in-2nd","left_size":2,)"
         R"("right_size":null,"move_candidates":["a","b/c"],"error":null,"error_code":null})"},
        {"contents present elsewhere", elsewhere(CompareResult::Present, "x/y", {}),
         "old: present as x/y.",
         R"({"type":"pair","path":"sub/old","found_at":"x/y","result":"present",)"
         R"("left_size":2,"right_size":null,"error":null,"error_code":null})"},
    };
    LanguageStrings strings;
    strings.fillFrom(kEnglish);
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        Report report;
        ReportRecorder recorder(report, strings, ".");
        recorder.pair(row.pair);
        EXPECT_EQ(report.line(0), row.line);
        std::string text;
        appendJsonPairLine(text, row.pair);
        EXPECT_EQ(text, std::string(row.json) + "\n");
        std::string kept;
        appendJsonPairLine(kept, report.pair(0).value());
        EXPECT_EQ(kept, text) << "the report keeps what the line does not show";
    }
}

} // namespace
} // namespace quorvel
