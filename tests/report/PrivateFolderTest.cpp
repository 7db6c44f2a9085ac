#include "report/PrivateFolder.h"
#include "support/TempTree.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <functional>
#include <sys/stat.h>
#include <unistd.h>

namespace quorvel {
namespace {

mode_t modeOf(const std::string& path) {
    struct stat status {};
    return ::lstat(path.c_str(), &status) == 0 ? status.st_mode : 0;
}

// The folder the page for the browser is written in, and the page's place in it.
TEST(PrivateFolderTest, AFolderOfTheUsersAloneAndAPlaceThatFollowsNoLink) {
    const struct {
        const char* what;
        std::function<void(const test::TempTree&)> make;
        int folderError;
    } folders[] = {
        {"missing", [](const test::TempTree&) {}, 0},
        {"there already", [](const test::TempTree& t) { ::mkdir(t.path("p").c_str(), 0700); }, 0},
        {"open to others", [](const test::TempTree& t) { ::mkdir(t.path("p").c_str(), 0755); }, 0},
        {"a link to a folder",
         [](const test::TempTree& t) {
             ::mkdir(t.path("elsewhere").c_str(), 0700);
             [[maybe_unused]] const int r =
                 ::symlink(t.path("elsewhere").c_str(), t.path("p").c_str());
         },
         ENOTDIR},
        {"a file", [](const test::TempTree& t) { t.write("p", "x"); }, ENOTDIR},
    };
    for (const auto& row : folders) {
        SCOPED_TRACE(row.what);
        test::TempTree tree;
        row.make(tree);
        EXPECT_EQ(makePrivateFolder(tree.path("p")), row.folderError);
        if (row.folderError == 0) {
            EXPECT_EQ(modeOf(tree.path("p")) & 0777, 0700u);
            EXPECT_EQ(makePrivateFolder(tree.path("p")), 0) << "and again";
        }
    }
    test::TempTree tree;
    EXPECT_EQ(makePrivateFolder(tree.path("missing/p")), ENOENT);

    ASSERT_EQ(makePrivateFolder(tree.path("p")), 0);
    tree.write("p/own.html", "mine");
    EXPECT_EQ(clearOwnFilePlace(tree.path("p/own.html")), 0);
    EXPECT_TRUE(S_ISREG(modeOf(tree.path("p/own.html")))) << "a plain file of ours stays";
    tree.write("target", "theirs");
    ASSERT_EQ(::symlink(tree.path("target").c_str(), tree.path("p/link.html").c_str()), 0);
    EXPECT_EQ(clearOwnFilePlace(tree.path("p/link.html")), 0);
    EXPECT_EQ(modeOf(tree.path("p/link.html")), 0u) << "a link is removed, never followed";
    EXPECT_TRUE(S_ISREG(modeOf(tree.path("target"))));
    ASSERT_EQ(::mkdir(tree.path("p/dir.html").c_str(), 0700), 0);
    EXPECT_EQ(clearOwnFilePlace(tree.path("p/dir.html")), EISDIR);
    EXPECT_EQ(clearOwnFilePlace(tree.path("p/none.html")), 0);
}

} // namespace
} // namespace quorvel
