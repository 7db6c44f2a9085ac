#include "report/StagedFile.h"
#include "report/FileWriteError.h"

#include "support/TempTree.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <string>

namespace quorvel {
namespace {

// What the printer driver does with the staged file before the print is finished or dropped.
enum class Driver { Writes, WritesNothing, RemovesTheFile };

struct Staging {
    const char* name;
    Driver driver;
    bool commit;
    bool throughLink;
    std::string target; // the target's contents afterwards
    int errorCode;      // of the commit, 0 when it succeeds
};

void PrintTo(const Staging& row, std::ostream* os) {
    *os << row.name;
}

class StagedFileTest : public ::testing::TestWithParam<Staging> {};

TEST_P(StagedFileTest, TheTargetChangesOnlyWhenAFinishedPrintIsCommitted) {
    const Staging& row = GetParam();
    test::TempTree tree;
    tree.write("out/old.pdf", "old");
    namespace fs = std::filesystem;
    fs::permissions(tree.path("out/old.pdf"), fs::perms(0640));
    if (row.throughLink) {
        tree.symlink(tree.path("out/old.pdf"), "out/link.pdf");
    }
    const std::string target = tree.path(row.throughLink ? "out/link.pdf" : "out/old.pdf");
    std::string staged;
    int errorCode = 0;
    try {
        StagedFile file(target);
        staged = file.path();
        EXPECT_EQ(std::filesystem::path(staged).parent_path(), tree.path("out"));
        if (row.driver == Driver::Writes) {
            std::ofstream(staged, std::ios::binary | std::ios::trunc) << "new";
        } else if (row.driver == Driver::RemovesTheFile) {
            std::filesystem::remove(staged);
        }
        if (row.commit) {
            file.commit();
        }
    } catch (const FileWriteError& e) {
        EXPECT_EQ(e.path(), target);
        errorCode = e.errorCode();
    }
    EXPECT_EQ(errorCode, row.errorCode);
    EXPECT_EQ(tree.read("out/old.pdf"), row.target);
    EXPECT_EQ(fs::status(tree.path("out/old.pdf")).permissions(), fs::perms(0640))
        << "the file's own mode, not the umask's";
    EXPECT_FALSE(std::filesystem::exists(staged));
    EXPECT_EQ(tree.listing("out"), row.throughLink ? "link.pdf old.pdf" : "old.pdf");
    if (row.throughLink) {
        EXPECT_TRUE(std::filesystem::is_symlink(tree.path("out/link.pdf")));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Prints, StagedFileTest,
    ::testing::Values(Staging{"finished", Driver::Writes, true, false, "new", 0},
                      Staging{"finished_through_a_link", Driver::Writes, true, true, "new", 0},
                      Staging{"finished_empty", Driver::WritesNothing, true, false, "", 0},
                      Staging{"dropped", Driver::Writes, false, false, "old", 0},
                      Staging{"dropped_through_a_link", Driver::Writes, false, true, "old", 0},
                      Staging{"file_gone", Driver::RemovesTheFile, true, false, "old", ENOENT}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(StagedFile, ADirectoryOrAMissingFolderIsRefusedByName) {
    test::TempTree tree;
    tree.mkdir("dir");
    const struct {
        const char* name;
        std::string target;
        int errorCode;
    } rows[] = {
        {"a directory", tree.path("dir"), EISDIR},
        {"in a missing folder", tree.path("none/x.pdf"), ENOENT},
        {"no name", "", ENOENT},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        try {
            StagedFile file(row.target);
            ADD_FAILURE() << "staged at " << file.path();
        } catch (const FileWriteError& e) {
            EXPECT_EQ(e.path(), row.target);
            EXPECT_EQ(e.errorCode(), row.errorCode);
        }
    }
    EXPECT_EQ(tree.listing(), "dir");
    EXPECT_EQ(tree.listing("dir"), "");
}

} // namespace
} // namespace quorvel
