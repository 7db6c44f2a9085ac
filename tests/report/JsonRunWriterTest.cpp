#include "report/JsonRunWriter.h"

#include <nlohmann/json.hpp>

#include <gtest/gtest.h>

#include <sstream>

namespace quorvel {
namespace {

// The same run kept whole and handed on as it goes gives the same lines, summary last; every
// line is JSON that gives back the names as they were.
TEST(JsonRunWriterTest, StreamedAndKeptGiveTheSameLinesSummaryLast) {
    const auto play = [](JsonRunWriter& writer) {
        RunCounters counters;
        writer.runStarted();
        counters.filesCompared = 1;
        writer.pairCounted({"", "\\\\", CompareResult::Equal, 1, 1, 0}, counters);
        counters.filesCompared = 2;
        writer.pairCounted({"d\"q", "a b", CompareResult::DifferentSize, 1, 2, 0}, counters);
        writer.readProblem("/t/\\", 13);
        writer.runEnded(false);
    };
    JsonRunWriter kept{RunRequest{}};
    play(kept);
    JsonRunWriter streamed{RunRequest{}};
    std::string handedOn;
    streamed.streamTo([&](std::string_view lines) { handedOn += lines; });
    play(streamed);
    EXPECT_EQ(handedOn, kept.text());
    EXPECT_TRUE(streamed.text().empty()) << "nothing kept";

    std::vector<nlohmann::json> lines;
    std::istringstream in(handedOn);
    for (std::string line; std::getline(in, line);) {
        lines.push_back(nlohmann::json::parse(line));
    }
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines[1]["path"], "\\\\");
    EXPECT_EQ(lines[2]["path"], "d\"q/a b");
    EXPECT_EQ(lines[3]["path"], "/t/\\");
    EXPECT_EQ(lines[4]["type"], "summary");
    EXPECT_EQ(lines[4]["compared"], 2);
}

} // namespace
} // namespace quorvel
