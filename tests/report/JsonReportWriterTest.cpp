#include "report/JsonReportWriter.h"

#include <nlohmann/json.hpp>

#include <gtest/gtest.h>

#include <sstream>

namespace quorvel {
namespace {

// The same run kept whole and handed on as it goes gives the same lines, summary last; every
// line is JSON that gives back the names as they were.
TEST(JsonReportWriterTest, StreamedAndKeptGiveTheSameLinesSummaryLast) {
    const auto play = [](JsonReportWriter& writer) {
        writer.start();
        writer.pair({"", "\\\\", CompareResult::Equal, 1, 1, 0});
        writer.pair({"d\"q", "a b", CompareResult::DifferentSize, 1, 2, 0});
        writer.trouble("/t/\\", 13);
        writer.recordedTrouble("m.json", "gone/", 5);
        writer.end(RunCounters{2, 1, 3}, false);
    };
    JsonReportWriter kept{RunRequest{}};
    play(kept);
    JsonReportWriter streamed{RunRequest{}};
    std::string handedOn;
    streamed.streamTo([&](std::string_view lines) { handedOn += lines; });
    play(streamed);
    EXPECT_EQ(handedOn, kept.text());
    EXPECT_TRUE(streamed.text().empty()) << "nothing kept";

    // A reader of the stream hears of a recorded problem when it is told, not with the next line.
    JsonReportWriter live{RunRequest{}};
    std::string heard;
    live.streamTo([&](std::string_view lines) { heard += lines; });
    live.recordedTrouble("m.json", "gone/", 5);
    EXPECT_NE(heard.find("gone/"), std::string::npos);

    std::vector<nlohmann::json> lines;
    std::istringstream in(handedOn);
    for (std::string line; std::getline(in, line);) {
        lines.push_back(nlohmann::json::parse(line));
    }
    ASSERT_EQ(lines.size(), 6u);
    EXPECT_EQ(lines[1]["path"], "\\\\");
    EXPECT_EQ(lines[2]["path"], "d\"q/a b");
    EXPECT_EQ(lines[3]["path"], "/t/\\");
    EXPECT_EQ(lines[4]["path"], "gone/");
    EXPECT_EQ(lines[5]["type"], "summary");
    EXPECT_EQ(lines[5]["compared"], 2);
}

} // namespace
} // namespace quorvel
