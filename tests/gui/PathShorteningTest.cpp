#include "gui/PathShortening.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace quorvel {
namespace {

// One pixel per byte keeps the expected widths readable.
int byteWidth(std::string_view text) {
    return static_cast<int>(text.size());
}

// Every text the path goes through as its box narrows one pixel at a time.
std::vector<std::string> stepsOf(const std::string& path) {
    std::vector<std::string> steps;
    for (int width = static_cast<int>(path.size()); width >= 0; --width) {
        const auto shown = shortenPathToWidth(path, width, byteWidth);
        if (steps.empty() || steps.back() != shown) {
            steps.push_back(shown);
        }
    }
    return steps;
}

TEST(PathShorteningTest, NarrowsFromTheLeftAndNeverCutsTheLastName) {
    EXPECT_EQ(stepsOf("/data/projects/alpha"),
              (std::vector<std::string>{"/data/projects/alpha", "/.../projects/alpha", "/.../alpha",
                                        ".../alpha", "alpha"}));
}

TEST(PathShorteningTest, APathThatFitsStaysWholeAndWideningShowsMoreAgain) {
    const std::string path = "/home/ana/work/reports/2026";
    EXPECT_EQ(shortenPathToWidth(path, 100, byteWidth), path);
    EXPECT_EQ(shortenPathToWidth(path, 20, byteWidth), "/.../reports/2026");
    EXPECT_EQ(shortenPathToWidth(path, 22, byteWidth), "/.../work/reports/2026");
}

TEST(PathShorteningTest, HiddenDirectoriesAreCutAsWholeNames) {
    EXPECT_EQ(stepsOf("/home/.config/.cache/app"),
              (std::vector<std::string>{"/home/.config/.cache/app", "/.../.config/.cache/app",
                                        "/.../.cache/app", "/.../app", ".../app", "app"}));
}

TEST(PathShorteningTest, TheRootAndTopLevelDirectories) {
    EXPECT_EQ(shortenPathToWidth("/", 0, byteWidth), "");
    EXPECT_EQ(shortenPathToWidth("/", 1, byteWidth), "/");
    EXPECT_EQ(stepsOf("/tmp"), (std::vector<std::string>{"/tmp", "tmp"}));
}

TEST(PathShorteningTest, CuttingTheFirstDirectory) {
    EXPECT_EQ(cutFirstDirectory("/a/b/"), "/.../b/");
    EXPECT_EQ(cutFirstDirectory("/.../b/"), "/.../");
    EXPECT_EQ(cutFirstDirectory(".../"), "");
    EXPECT_EQ(cutFirstDirectory("/"), "");
    EXPECT_EQ(cutFirstDirectory("/.hidden/x/"), "/.../x/");
}

TEST(PathShorteningTest, NamesThatAreNotUtf8PassThroughAsBytes) {
    const std::string path = "/ddddd\xff/e\xfe/f\xfd";
    EXPECT_EQ(shortenPathToWidth(path, 12, byteWidth), "/.../e\xfe/f\xfd");
}

} // namespace
} // namespace quorvel
