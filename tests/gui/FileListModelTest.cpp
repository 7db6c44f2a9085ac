#include "gui/FileListModel.h"

#include "support/TempTree.h"

#include <QIcon>
#include <gtest/gtest.h>

#include <sys/stat.h>

namespace quorvel {
namespace {

TEST(FileListModelTest, TheDirectoryAlreadyShownIsNotReadAgain) {
    test::TempTree tree;
    tree.write("a", "a");
    FileListModel model;
    EXPECT_FALSE(model.setDirectory(tree.root()));
    EXPECT_EQ(model.rowCount(), 1);
    tree.write("b", "b");
    EXPECT_FALSE(model.setDirectory(tree.root()));
    EXPECT_EQ(model.rowCount(), 1);
    tree.mkdir("other");
    model.setDirectory(tree.path("other"));
    model.setDirectory(tree.root());
    EXPECT_EQ(model.rowCount(), 2);
}

TEST(FileListModelTest, RowsShowTheNameAndTheIconOfTheirKind) {
    test::TempTree tree;
    tree.write("caf\xe9", "x");
    tree.write("run", "x");
    ASSERT_EQ(::chmod(tree.path("run").c_str(), 0755), 0);
    FileListModel model;
    model.setDirectory(tree.root());
    ASSERT_EQ(model.rowCount(), 2);
    EXPECT_EQ(model.nameAt(0), "caf\xe9");
    EXPECT_EQ(model.index(0).data().toString(), QStringLiteral("caf") + QChar(0xfffd));
    const QIcon document = model.index(0).data(Qt::DecorationRole).value<QIcon>();
    const QIcon program = model.index(1).data(Qt::DecorationRole).value<QIcon>();
    EXPECT_FALSE(document.pixmap(16, 16).isNull());
    EXPECT_FALSE(program.pixmap(16, 16).isNull());
    EXPECT_NE(document.cacheKey(), program.cacheKey());
}

TEST(FileListModelTest, ADirectoryThatCannotBeReadGivesAnEmptyListAndTheReason) {
    test::TempTree tree;
    tree.write("a", "a");
    FileListModel model;
    model.setDirectory(tree.root());
    const auto error = model.setDirectory(tree.path("missing"));
    ASSERT_TRUE(error);
    EXPECT_EQ(model.rowCount(), 0);
}

} // namespace
} // namespace quorvel
