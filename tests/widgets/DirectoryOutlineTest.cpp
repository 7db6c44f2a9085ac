#include "widgets/DirectoryOutline.h"

#include <QDir>
#include <QFile>
#include <QFileSystemModel>
#include <QSignalSpy>
#include <QStringList>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <string>
#include <sys/stat.h>

namespace quorvel {
namespace {

class DirectoryOutlineTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(scratch_.isValid());
        const QDir root(scratch_.path());
        for (const char* folder : {"beta", "alpha/inner", ".hidden"}) {
            ASSERT_TRUE(root.mkpath(QString::fromLatin1(folder)));
        }
        QFile file(root.filePath(QStringLiteral("notes.txt")));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_EQ(
            ::mkfifo(QFile::encodeName(root.filePath(QStringLiteral("pipe"))).constData(), 0600),
            0);
        ASSERT_TRUE(QFile::link(root.filePath(QStringLiteral("missing")),
                                root.filePath(QStringLiteral("dangling"))));
    }

    // The names under `path`, joined, once the model's reading thread has delivered them.
    std::string namesUnder(const QString& path) {
        QFileSystemModel* model = outline_.fileSystemModel();
        const QModelIndex parent = model->index(path);
        if (model->canFetchMore(parent)) {
            model->fetchMore(parent);
        }
        while (!loaded_.contains(QVariantList{path})) {
            if (!loaded_.wait(5000)) {
                ADD_FAILURE() << "the model did not read " << path.toStdString();
                break;
            }
        }
        QStringList names;
        for (int row = 0; row < model->rowCount(parent); ++row) {
            names.append(model->fileName(model->index(row, 0, parent)));
        }
        names.sort();
        return names.join(QLatin1Char(' ')).toStdString();
    }

    QTemporaryDir scratch_;
    DirectoryOutline outline_;
    QSignalSpy loaded_{outline_.fileSystemModel(), &QFileSystemModel::directoryLoaded};
};

TEST_F(DirectoryOutlineTest, OnlyFoldersShowAndHiddenOnesOnlyWhenAskedFor) {
    outline_.setRootPath(scratch_.path());
    EXPECT_EQ(namesUnder(scratch_.path()), "alpha beta");
    EXPECT_EQ(namesUnder(scratch_.filePath(QStringLiteral("alpha"))), "inner");

    // A folder is read once; a new filter sorts again what was read, a moment later.
    QSignalSpy sorted(outline_.fileSystemModel(), &QAbstractItemModel::layoutChanged);
    outline_.setShowHidden(true);
    ASSERT_TRUE(sorted.wait(5000));
    EXPECT_EQ(namesUnder(scratch_.path()), ".hidden alpha beta");
}

TEST_F(DirectoryOutlineTest, TheCurrentFolderIsReportedAndNoFileBecomesCurrentOrRoot) {
    DirectoryOutline& outline = outline_;
    outline.setRootPath(scratch_.path());
    QSignalSpy changed(&outline, &DirectoryOutline::currentPathChanged);
    const QString inner = scratch_.filePath(QStringLiteral("alpha/inner"));
    outline.setCurrentPath(inner);
    EXPECT_EQ(outline.currentPath(), inner);
    ASSERT_EQ(changed.count(), 1);
    EXPECT_EQ(changed.at(0).at(0).toString(), inner);

    outline.setCurrentPath(scratch_.filePath(QStringLiteral("notes.txt")));
    outline.setCurrentPath(scratch_.filePath(QStringLiteral("pipe")));
    EXPECT_EQ(outline.currentPath(), inner);
    EXPECT_EQ(changed.count(), 1);

    outline.setRootPath(scratch_.filePath(QStringLiteral("gone")));
    EXPECT_EQ(outline.rootPath(), scratch_.path()) << "not the whole file system instead";
    EXPECT_EQ(outline.rootIndex(), outline.fileSystemModel()->index(scratch_.path()));
}

} // namespace
} // namespace quorvel
