#include "gui/ReportWindowFixture.h"
#include "report/ReportRecorder.h"

#include <nlohmann/json.hpp>

#include <sstream>

namespace quorvel::test {
namespace {

using nlohmann::json;

class ReportWindowJsonTest : public ReportWindowFixture {
protected:
    // A directory run as the engine records it: with "only different" its equal pair has no line.
    void recordRun() {
        RunRequest request;
        request.mode = CompareMode::DirectoryWithDirectory;
        request.leftDirectory = "/left";
        request.rightDirectory = "/right";
        request.options.filter = "*.txt";
        ReportRecorder recorder(report_, strings_, ".");
        recorder.clear(request);
        recorder.heading(HeadingKind::Directory, "/left");
        recorder.blank();
        recorder.pair({"", "gone.txt", CompareResult::NotFoundIn2nd, 3, {}, 0});
        recorder.subdirectory("sub");
        recorder.pair({"sub", "b\xff.txt", CompareResult::DifferentContents, 5, 5, 0});
        recorder.pair({"sub", "bad.txt", CompareResult::ErrorReading1st, {}, 2, EACCES});
        recorder.status(false);
        recorder.summary({4, 3, 13.0}, false);
    }

    std::vector<json> savedObjects(const std::string& name) {
        std::vector<json> objects;
        std::istringstream lines(tree_.read(name));
        for (std::string line; std::getline(lines, line);) {
            objects.push_back(json::parse(line));
        }
        return objects;
    }
};

TEST_F(ReportWindowJsonTest, TheThirdEntrySavesThePairsTheReportListsWithTheRunsSummary) {
    recordRun();
    saveAnswer_ = SaveChoice{QString::fromStdString(tree_.path("run")), 2};
    window_->Button3Click();
    EXPECT_TRUE(errors_.empty());
    const auto objects = savedObjects("run.jsonl");
    ASSERT_EQ(objects.size(), 5u);

    EXPECT_EQ(objects[0]["type"], "start");
    EXPECT_EQ(objects[0]["mode"], "directories");
    EXPECT_EQ(objects[0]["left"], "/left");
    EXPECT_EQ(objects[0]["filter"], "*.txt");

    struct Row {
        const char* name;
        json expected;
    };
    const Row rows[] = {
        {"missing on the right: a difference, no error",
         {{"type", "pair"},
          {"path", "gone.txt"},
          {"result", "not-found-in-2nd"},
          {"left_size", 3},
          {"right_size", nullptr},
          {"error", nullptr},
          {"error_code", nullptr}}},
        {"a name that is not UTF-8 keeps its bytes",
         {{"type", "pair"},
          {"path", "sub/b\xef\xbf\xbd.txt"},
          {"path_bytes", "c3ViL2L/LnR4dA=="},
          {"result", "different-contents"},
          {"left_size", 5},
          {"right_size", 5},
          {"error", nullptr},
          {"error_code", nullptr}}},
        {"a side that could not be read says why",
         {{"type", "pair"},
          {"path", "sub/bad.txt"},
          {"result", "error-reading"},
          {"left_size", nullptr},
          {"right_size", 2},
          {"error", "Permission denied"},
          {"error_code", EACCES}}},
    };
    for (std::size_t i = 0; i < std::size(rows); ++i) {
        SCOPED_TRACE(rows[i].name);
        EXPECT_EQ(objects[i + 1], rows[i].expected);
    }
    // The summary counts the whole run, the equal pair the report leaves out too.
    EXPECT_EQ(objects[4], json({{"type", "summary"},
                                {"compared", 4},
                                {"equal", 1},
                                {"different", 3},
                                {"bytes", 13},
                                {"interrupted", false}}));
    EXPECT_EQ(saveRequests_.back().entry, 0);
    window_->Button3Click();
    EXPECT_EQ(saveRequests_.back().entry, 2) << "the dialog comes back with the last type";
}

} // namespace
} // namespace quorvel::test
