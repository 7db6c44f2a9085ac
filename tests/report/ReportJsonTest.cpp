#include "lang/LanguageStrings.h"
#include "report/Base64.h"
#include "report/JsonReportLines.h"
#include "report/JsonReportWriter.h"
#include "report/Report.h"
#include "report/ReportRecorder.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace quorvel {
namespace {

TEST(ReportJson, Base64OfTheStandardVectorsAndOfBytesThatAreNotText) {
    struct Row {
        const char* name;
        std::string_view bytes;
        const char* expected;
    };
    const Row rows[] = {
        {"empty", "", ""},
        {"two pads", "f", "Zg=="},
        {"one pad", "fo", "Zm8="},
        {"no pad", "foo", "Zm9v"},
        {"past a group", "foobar", "Zm9vYmFy"},
        {"high bytes and a zero", std::string_view("\xff\xfe\x00", 3), "//4A"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(base64Encode(row.bytes), row.expected);
    }
}

TEST(ReportJson, EveryResultHasItsOwnWordInLowerCaseWithoutBlanks) {
    std::set<std::string_view> words;
    for (int r = 0; r <= static_cast<int>(CompareResult::NameCollision); ++r) {
        const auto word = resultWord(static_cast<CompareResult>(r));
        SCOPED_TRACE(r);
        EXPECT_NE(word, "unknown");
        EXPECT_EQ(word.find_first_of(" \tABCDEFGHIJKLMNOPQRSTUVWXYZ"), std::string_view::npos);
        words.insert(word);
    }
    EXPECT_EQ(words.size(), 11u);
}

TEST(ReportJson, AReportKeepsTheRunsRequestAndEndingUntilTheNextRun) {
    Report report;
    LanguageStrings strings;
    ReportRecorder recorder(report, strings, ".");
    RunRequest request;
    request.mode = CompareMode::FilesWithDirectory;
    request.leftDirectory = "/l\xe9";
    request.leftNames = {"a.txt"};
    recorder.clear(request);
    recorder.status(true);
    recorder.summary({2, 1, 7.0}, false);
    EXPECT_EQ(
        formatReportJson(report),
        R"({"type":"start","format":1,"mode":"files-with-directory","left":"/l)"
        "\xef\xbf\xbd"
        R"(","left_bytes":"L2zp","right":"","left_names":["a.txt"],"right_name":null,)"
        R"("filter":null,"exclusions":null,"options":{"fast":false,"recurse":null,"only_different":null,"both":null}})"
        "\n"
        R"({"type":"summary","compared":2,"equal":1,"different":1,"bytes":7,)"
        R"("interrupted":true})"
        "\n");

    recorder.clear(RunRequest{});
    EXPECT_FALSE(report.interrupted());
    EXPECT_EQ(report.counters().filesCompared, 0);
    EXPECT_EQ(report.request().leftDirectory, "");
}

TEST(ReportJson, TheStartObjectNamesARuleOfNamesakesOnlyWhenItIsNotExact) {
    RunRequest request;
    request.mode = CompareMode::DirectoryWithDirectory;
    request.options.names = NameRule::Case;
    EXPECT_NE(jsonStartLine(request).find(R"("both":false,"names":"case"}})"), std::string::npos);
}

} // namespace
} // namespace quorvel
