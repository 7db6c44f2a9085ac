#include "support/ChildProcess.h"
#include "support/Companion.h"
#include "support/TempTree.h"

#include <nlohmann/json.hpp>

#include <gtest/gtest.h>

#include <csignal>
#include <fstream>
#include <iterator>
#include <map>
#include <sstream>

namespace quorvel {
namespace {

using nlohmann::json;

class CompanionJsonTest : public ::testing::Test {
protected:
    CompanionJsonTest() {
        tree.write("L/same.txt", "same");
        tree.write("R/same.txt", "same");
        tree.write("L/sub/diff.txt", "one");
        tree.write("R/sub/diff.txt", "two!");
        tree.write("L/only.txt", "x");
        tree.write("L/sub/caf\xe9.txt", "latin1");
        tree.write("R/sub/caf\xe9.txt", "latin1");
        tree.symlink("nowhere", "L/broken.txt");
        tree.write("L/say \"hi\"\\\t.txt", "x"); // what JSON must escape
        tree.write("L/linked.txt", "x");
        tree.symlink("nowhere", "R/linked.txt");
        tree.write("L/piped.txt", "x");
        tree.fifo("R/piped.txt");
    }

    // Every line parsed; a line that is not one JSON object fails the test.
    static std::vector<json> parseLines(const std::string& text) {
        std::vector<json> objects;
        std::istringstream lines(text);
        for (std::string line; std::getline(lines, line);) {
            json object = json::parse(line); // throws on anything that is not JSON
            EXPECT_TRUE(object.is_object()) << line;
            objects.push_back(std::move(object));
        }
        EXPECT_TRUE(text.empty() || text.back() == '\n');
        return objects;
    }

    static bool sizeOrNull(const json& value) {
        return value.is_null() || value.is_number_integer();
    }

    test::TempTree tree;
};

TEST_F(CompanionJsonTest, EveryObjectOfARunHasItsTypesAndTheSummaryCountsThePairs) {
    const auto r = test::runCompanion({"--no-progress", "--json", "-", "L", "R"}, tree.root());
    EXPECT_EQ(r.exitCode, 2) << "a link that leads nowhere is trouble";
    const auto objects = parseLines(r.out);
    ASSERT_GE(objects.size(), 2u) << r.out;

    const json& start = objects.front();
    EXPECT_EQ(start["type"], "start");
    EXPECT_EQ(start["format"], 1);
    EXPECT_EQ(start["mode"], "directories");
    EXPECT_EQ(start["left"], tree.path("L"));
    EXPECT_EQ(start["right"], tree.path("R"));
    EXPECT_EQ(start["filter"], "*.*");
    EXPECT_EQ(start["exclusions"], "");
    EXPECT_EQ(start["options"],
              json({{"fast", false}, {"recurse", true}, {"only_different", true}, {"both", true}}));
    const json& summary = objects.back();
    EXPECT_EQ(summary["type"], "summary");

    int pairs = 0;
    int equal = 0;
    std::map<std::string, json> byPath;
    std::vector<std::string> troublePaths;
    for (std::size_t i = 1; i + 1 < objects.size(); ++i) {
        const json& object = objects[i];
        if (object["type"] == "trouble") {
            ASSERT_TRUE(object["path"].is_string());
            ASSERT_TRUE(object["error"].is_string());
            EXPECT_FALSE(object["error"].get<std::string>().empty());
            troublePaths.push_back(object["path"]);
            continue;
        }
        ASSERT_EQ(object["type"], "pair") << object;
        ++pairs;
        ASSERT_TRUE(object["path"].is_string()) << object;
        ASSERT_TRUE(object["result"].is_string()) << object;
        const auto word = object["result"].get<std::string>();
        EXPECT_EQ(word.find(' '), std::string::npos) << word;
        EXPECT_TRUE(sizeOrNull(object["left_size"])) << object;
        EXPECT_TRUE(sizeOrNull(object["right_size"])) << object;
        EXPECT_TRUE(object["error"].is_null() ||
                    (object["error"].is_string() && !object["error"].get<std::string>().empty()))
            << object;
        equal += word == "equal" ? 1 : 0;
        byPath[object["path"]] = object;
    }
    EXPECT_EQ(summary["compared"], pairs);
    EXPECT_EQ(summary["equal"], equal);
    EXPECT_EQ(summary["different"], pairs - equal);
    EXPECT_TRUE(summary["bytes"].is_number_integer());
    EXPECT_EQ(summary["interrupted"], false);

    EXPECT_EQ(byPath.count("say \"hi\"\\\t.txt"), 1u);
    // Equal pairs are listed although the text report would leave them out.
    ASSERT_EQ(byPath.count("same.txt"), 1u);
    EXPECT_EQ(byPath["same.txt"]["left_size"], 4);
    ASSERT_EQ(byPath.count("sub/diff.txt"), 1u);
    EXPECT_EQ(byPath["sub/diff.txt"]["result"], "different-contents");
    EXPECT_EQ(byPath["sub/diff.txt"]["right_size"], 4);
    ASSERT_EQ(byPath.count("only.txt"), 1u);
    EXPECT_EQ(byPath["only.txt"]["result"], "not-found-in-2nd");
    EXPECT_TRUE(byPath["only.txt"]["right_size"].is_null());
    EXPECT_TRUE(byPath["only.txt"]["error"].is_null()) << "missing is a difference, not trouble";
    ASSERT_EQ(byPath.count("broken.txt"), 1u);
    EXPECT_EQ(byPath["broken.txt"]["error"], "No such file or directory");
    // On the right, a link that leads nowhere and a name of another kind say so too.
    EXPECT_EQ(byPath["linked.txt"]["result"], "not-found-in-2nd");
    EXPECT_EQ(byPath["linked.txt"]["error"], "No such file or directory");
    EXPECT_EQ(byPath["piped.txt"]["result"], "not-found-in-2nd");
    EXPECT_EQ(byPath["piped.txt"]["error"], "not a regular file");
    EXPECT_EQ(troublePaths,
              (std::vector<std::string>{tree.path("L/broken.txt"), tree.path("R/linked.txt")}));

    // The name that is not UTF-8 comes back byte for byte.
    const std::string shown = "sub/caf\xef\xbf\xbd.txt";
    ASSERT_EQ(byPath.count(shown), 1u) << r.out;
    EXPECT_EQ(byPath[shown]["path_bytes"], "c3ViL2NhZukudHh0"); // "sub/caf\xe9.txt"
    EXPECT_EQ(byPath[shown]["result"], "equal");
    EXPECT_EQ(byPath["same.txt"].count("path_bytes"), 0u);
}

TEST_F(CompanionJsonTest, AFileGetsTheReportForScriptsAndStandardOutputKeepsTheText) {
    const auto r = test::runCompanion(
        {"--no-progress", "--json", "run.json", "L/same.txt", "R/same.txt"}, tree.root());
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out.rfind("Comparison of file ", 0), 0u) << r.out;
    std::ifstream in(tree.path("run.json"), std::ios::binary);
    const std::string text{std::istreambuf_iterator<char>(in), {}};
    const auto objects = parseLines(text);
    ASSERT_EQ(objects.size(), 3u) << text;
    EXPECT_EQ(objects[0]["mode"], "file-with-file");
    EXPECT_EQ(objects[0]["right_name"], "same.txt");
    EXPECT_TRUE(objects[0]["options"]["recurse"].is_null());
    EXPECT_EQ(objects[1]["path"], "same.txt");
    EXPECT_EQ(objects[1]["result"], "equal");
    EXPECT_EQ(objects[2]["compared"], 1);
}

TEST_F(CompanionJsonTest, AnInterruptedRunEndsWithItsSummarySayingSo) {
    tree.sparse("L/big", std::int64_t{16} << 30);
    tree.sparse("R/big", std::int64_t{16} << 30);
    bool sent = false;
    const auto r = test::runChild({QUORVEL_COMPARE_BIN, "--progress", "--json", "-", "L", "R"},
                                  tree.root(), [&](const std::string& err, int pid) {
                                      if (!sent && err.find("big") != std::string::npos) {
                                          sent = true;
                                          ::kill(pid, SIGINT);
                                      }
                                  });
    ASSERT_TRUE(sent);
    EXPECT_EQ(r.exitCode, 130);
    const auto objects = parseLines(r.out);
    ASSERT_FALSE(objects.empty());
    EXPECT_EQ(objects.back()["type"], "summary");
    EXPECT_EQ(objects.back()["interrupted"], true);
    EXPECT_EQ(r.out.find("\"big\""), std::string::npos) << "the interrupted pair is not counted";
}

TEST_F(CompanionJsonTest, AReportForScriptsThatCannotBeWrittenIsTrouble) {
    tree.mkdir("taken.json");
    const auto r = test::runCompanion(
        {"--no-progress", "-q", "--json", "taken.json", "L/same.txt", "R/same.txt"}, tree.root());
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_EQ(r.err.rfind("quorvel-compare: cannot write 'taken.json': ", 0), 0u) << r.err;
}

} // namespace
} // namespace quorvel
