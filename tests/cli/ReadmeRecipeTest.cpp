// The README's backup recipes, run as a user would type them: ssh is a stand-in that runs its
// command here, and the server's /srv/backup is a folder of the test's.

#include "support/ChildProcess.h"
#include "support/TempTree.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/stat.h>

namespace quorvel {
namespace {

// The command blocks of the README's section on manifests, each a script of its lines.
std::vector<std::string> manifestRecipes() {
    std::ifstream in(QUORVEL_README);
    std::vector<std::string> recipes;
    bool inSection = false;
    std::string block;
    for (std::string line; std::getline(in, line);) {
        if (line.rfind("#", 0) == 0) {
            inSection = line.rfind("### Manifests", 0) == 0;
        }
        if (inSection && line.rfind("    ", 0) == 0) {
            block += line.substr(4) + "\n";
        } else if (!block.empty()) {
            recipes.push_back(block);
            block.clear();
        }
    }
    return recipes;
}

std::string replaced(std::string text, const std::string& from, const std::string& to) {
    for (auto at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size())) {
        text.replace(at, from.size(), to);
    }
    return text;
}

TEST(ReadmeRecipe, ABackupThatLacksAPhotoOrHoldsNoneIsNeverAllWell) {
    const auto recipes = manifestRecipes();
    ASSERT_EQ(recipes.size(), 2u) << "the README's manifest section changed its recipes";
    struct Row {
        const char* name;
        std::vector<const char*> backedUp; // of the photos a.jpg, b.jpg, c.jpg
        int exitCode;
        const char* said;
    };
    const Row rows[] = {
        {"every photo backed up", {"a.jpg", "b.jpg", "c.jpg"}, 0, "Equal: 3;"},
        {"a photo never backed up", {"a.jpg", "c.jpg"}, 1, ">>>> b.jpg: not found in 2nd"},
        {"an empty backup", {}, 1, "different: 3"},
    };
    for (const auto& recipe : recipes) {
        for (const auto& row : rows) {
            SCOPED_TRACE(recipe + row.name);
            test::TempTree tree;
            for (const char* photo : {"a.jpg", "b.jpg", "c.jpg"}) {
                tree.write(std::string("home/photos/") + photo, photo);
            }
            tree.mkdir("srv/backup/photos");
            for (const char* photo : row.backedUp) {
                tree.write(std::string("srv/backup/photos/") + photo, photo);
            }
            tree.write("bin/ssh", "#!/bin/sh\nshift\nexec sh -c \"$*\"\n");
            ASSERT_EQ(::chmod(tree.path("bin/ssh").c_str(), 0755), 0);
            std::filesystem::create_symlink(QUORVEL_COMPARE_BIN, tree.path("bin/quorvel-compare"));
            const auto script = "export HOME='" + tree.path("home") + "' PATH='" +
                                tree.path("bin") + ":/usr/bin:/bin'\n" +
                                replaced(recipe, "/srv/backup", tree.path("srv/backup"));
            const auto r = test::runChild({"/bin/bash", "-c", script}, tree.root());
            EXPECT_EQ(r.exitCode, row.exitCode) << r.out << r.err;
            EXPECT_NE(r.out.find(row.said), std::string::npos) << r.out << r.err;
        }
    }
}

} // namespace
} // namespace quorvel
