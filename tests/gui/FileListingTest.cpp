#include "gui/FileListing.h"

#include "support/HookedFileAccess.h"
#include "support/TempTree.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <sys/stat.h>

namespace quorvel {
namespace {

std::vector<std::string> namesOf(const FileListing& listing) {
    std::vector<std::string> names;
    for (const auto& file : listing.files) {
        names.push_back(file.name);
    }
    return names;
}

TEST(FileListingTest, ListsOnlyPlainFilesInTheEnginesOrder) {
    test::TempTree tree;
    tree.write("b.txt", "b");
    tree.write("A.txt", "a");
    tree.write(".hidden", "h");
    tree.write("empty", "");
    tree.write("\xff-not-utf8", "x");
    tree.mkdir("subdirectory");
    tree.symlink("b.txt", "link-to-file");
    tree.symlink("subdirectory", "link-to-directory");
    tree.symlink("missing", "dangling");
    tree.fifo("pipe");
    test::HookedFileAccess files;
    const int openBefore = test::openDescriptorCount();
    const FileListing listing = listPlainFiles(files, tree.root());
    EXPECT_EQ(test::openDescriptorCount(), openBefore) << "no directory kept open behind the list";
    EXPECT_EQ(listing.errorCode, 0);
    EXPECT_EQ(namesOf(listing), (std::vector<std::string>{".hidden", "A.txt", "b.txt", "empty",
                                                          "link-to-file", "\xff-not-utf8"}));
}

TEST(FileListingTest, ProgramsAreKnownByTheirEndingOrTheirExecutePermission) {
    EXPECT_EQ(iconKindOf("setup.EXE", false), FileIconKind::Program);
    EXPECT_EQ(iconKindOf("a.com", false), FileIconKind::Program);
    EXPECT_EQ(iconKindOf("run.Bat", false), FileIconKind::Program);
    EXPECT_EQ(iconKindOf("x.pif", false), FileIconKind::Program);
    EXPECT_EQ(iconKindOf("exe", false), FileIconKind::Document);
    EXPECT_EQ(iconKindOf("notes.exe.txt", false), FileIconKind::Document);
    EXPECT_EQ(iconKindOf("build.sh", true), FileIconKind::Program);

    test::TempTree tree;
    tree.write("script", "#!/bin/sh\n");
    tree.write("plain", "x");
    ASSERT_EQ(::chmod(tree.path("script").c_str(), 0750), 0);
    tree.write("tool.exe", "x");
    tree.symlink("script", "link-to-script");
    test::HookedFileAccess files;
    const FileListing listing = listPlainFiles(files, tree.root());
    ASSERT_EQ(listing.files.size(), 4U);
    // An ending tells without a look; the rest waits until the row is shown.
    EXPECT_FALSE(listing.files[1].icon);                                         // plain
    EXPECT_EQ(listing.files[3].icon, FileIconKind::Program);                     // tool.exe
    EXPECT_EQ(iconKindOf(tree.root(), listing.files[0]), FileIconKind::Program); // link-to-script
    EXPECT_EQ(iconKindOf(tree.root(), listing.files[1]), FileIconKind::Document);
    EXPECT_EQ(iconKindOf(tree.root(), listing.files[2]), FileIconKind::Program); // script
}

TEST(FileListingTest, ADirectoryThatCannotBeReadGivesTheSystemsReasonAndNoFiles) {
    test::TempTree tree;
    tree.write("file", "x");
    tree.write("a", "a");
    test::HookedFileAccess files;
    // Reading stops part-way: no partial list beside the reason.
    files.failingListings[tree.root()] = EIO;
    const struct {
        const char* name;
        std::string directory;
        int errorCode;
    } cases[] = {
        {"missing", tree.path("gone"), ENOENT},
        {"not a directory", tree.path("file"), ENOTDIR},
        {"fails part-way", tree.root(), EIO},
    };
    for (const auto& c : cases) {
        const FileListing listing = listPlainFiles(files, c.directory);
        EXPECT_EQ(listing.errorCode, c.errorCode) << c.name;
        EXPECT_TRUE(listing.files.empty()) << c.name;
    }
}

} // namespace
} // namespace quorvel
