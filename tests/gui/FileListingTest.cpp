#include "gui/FileListing.h"

#include "support/TempTree.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
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
    tree.write("\xff-not-utf8", "x");
    tree.mkdir("subdirectory");
    tree.symlink("b.txt", "link-to-file");
    tree.symlink("subdirectory", "link-to-directory");
    tree.symlink("missing", "dangling");
    tree.fifo("pipe");
    const FileListing listing = listPlainFiles(tree.root());
    EXPECT_FALSE(listing.error);
    EXPECT_EQ(namesOf(listing), (std::vector<std::string>{".hidden", "A.txt", "b.txt",
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
    const FileListing listing = listPlainFiles(tree.root());
    ASSERT_EQ(listing.files.size(), 4U);
    // A link is looked at to be listed; an ending tells without a look; the rest waits.
    EXPECT_EQ(listing.files[0].icon, FileIconKind::Program); // link-to-script
    EXPECT_FALSE(listing.files[1].icon);                     // plain
    EXPECT_FALSE(listing.files[2].icon);                     // script
    EXPECT_EQ(listing.files[3].icon, FileIconKind::Program); // tool.exe
    EXPECT_EQ(iconKindOf(tree.root(), listing.files[1]), FileIconKind::Document);
    EXPECT_EQ(iconKindOf(tree.root(), listing.files[2]), FileIconKind::Program);
}

TEST(FileListingTest, ADirectoryThatCannotBeReadGivesTheSystemsReasonAndNoFiles) {
    test::TempTree tree;
    const FileListing missing = listPlainFiles(tree.path("gone"));
    EXPECT_TRUE(missing.files.empty());
    ASSERT_TRUE(missing.error);
    EXPECT_EQ(*missing.error, std::strerror(ENOENT));
    tree.write("file", "x");
    EXPECT_EQ(*listPlainFiles(tree.path("file")).error, std::strerror(ENOTDIR));

    // Reading fails after the first file: no partial list beside the reason.
    tree.write("a", "a");
    tree.write("b", "b");
    static bool fileRead;
    fileRead = false;
    const FileListing partial = listPlainFiles(tree.root(), [](DIR* stream) -> dirent* {
        if (fileRead) {
            errno = EIO;
            return nullptr;
        }
        dirent* entry = ::readdir(stream);
        fileRead = entry != nullptr && entry->d_name[0] != '.';
        return entry;
    });
    ASSERT_TRUE(partial.error);
    EXPECT_EQ(*partial.error, std::strerror(EIO));
    EXPECT_TRUE(partial.files.empty());
}

} // namespace
} // namespace quorvel
