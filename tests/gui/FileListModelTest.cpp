#include "gui/FileListModel.h"

#include "support/TempTree.h"

#include <QIcon>
#include <QImage>
#include <QListView>
#include <gtest/gtest.h>

#include <cerrno>
#include <sys/stat.h>

namespace quorvel {
namespace {

TEST(FileListModelTest, ANewDirectoryReplacesTheRowsOnTheScreenAndTheSameOneIsNotReadAgain) {
    test::TempTree tree;
    tree.write("a", "a");
    FileListModel model;
    QListView view;
    view.setModel(&model);
    view.resize(200, 200);
    view.show();
    EXPECT_EQ(model.setDirectory(tree.root()), 0);
    EXPECT_EQ(model.rowCount(), 1);
    view.selectionModel()->select(model.index(0), QItemSelectionModel::Select);
    tree.write("b", "b");
    EXPECT_EQ(model.setDirectory(tree.root()), 0);
    EXPECT_EQ(model.rowCount(), 1);
    EXPECT_TRUE(view.selectionModel()->isRowSelected(0));
    tree.mkdir("other");
    model.setDirectory(tree.path("other"));
    EXPECT_FALSE(view.selectionModel()->hasSelection());
    model.setDirectory(tree.root());
    EXPECT_EQ(model.rowCount(), 2);
    EXPECT_FALSE(view.visualRect(model.index(1)).isEmpty());
    EXPECT_EQ(view.indexAt(view.visualRect(model.index(1)).center()).data().toString(), "b");
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
    const auto look = [](const QIcon& icon) { return icon.pixmap(16, 16).toImage(); };
    const QIcon programLook = QIcon::fromTheme(QStringLiteral("application-x-executable"),
                                               QIcon(QStringLiteral(":/icons/file-program.svg")));
    const QIcon documentLook = QIcon::fromTheme(QStringLiteral("text-x-generic"),
                                                QIcon(QStringLiteral(":/icons/file-document.svg")));
    EXPECT_FALSE(look(document).isNull());
    EXPECT_TRUE(look(program) == look(programLook));
    EXPECT_TRUE(look(document) == look(documentLook));
    EXPECT_FALSE(look(program) == look(document));
}

TEST(FileListModelTest, ADirectoryThatCannotBeReadGivesAnEmptyListAndTheReason) {
    test::TempTree tree;
    tree.write("a", "a");
    FileListModel model;
    model.setDirectory(tree.root());
    EXPECT_EQ(model.setDirectory(tree.path("missing")), ENOENT);
    EXPECT_EQ(model.rowCount(), 0);
}

} // namespace
} // namespace quorvel
