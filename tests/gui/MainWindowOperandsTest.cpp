#include "gui/WindowFixture.h"

#include <QItemSelectionModel>
#include <QListView>
#include <QToolButton>

#include <sys/stat.h>
#include <unistd.h>

namespace quorvel::test {
namespace {

using OperandsTest = WindowFixture;

std::vector<std::string> selectedNames(QListView* list) {
    std::vector<std::string> names;
    for (const QModelIndex& index : list->selectionModel()->selectedRows()) {
        names.push_back(index.data().toString().toStdString());
    }
    std::sort(names.begin(), names.end());
    return names;
}

TEST_F(OperandsTest, TheKindsOfThePathsChooseTheModeOnceTheLanguageIsInForce) {
    tree_.write("L/a.txt", "a");
    tree_.write("L/b.txt", "b");
    tree_.write("L/c.txt", "c");
    tree_.write("R/a.txt", "a");
    struct Row {
        const char* name;
        std::vector<std::string> paths;
        CompareMode mode;
        std::vector<std::string> left;
        std::vector<std::string> right;
    };
    const Row rows[] = {
        {"two directories", {"../L", tree_.path("R")}, CompareMode::DirectoryWithDirectory, {}, {}},
        {"two files",
         {"../L/b.txt", "../R/a.txt"},
         CompareMode::FileWithFile,
         {"b.txt"},
         {"a.txt"}},
        {"files and a directory",
         {"../L/c.txt", "../L/a.txt", "../R"},
         CompareMode::FilesWithDirectory,
         {"a.txt", "c.txt"},
         {}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        window_.reset();
        MainWindow& window = makeWindow();
        window.openOnOperands(row.paths);
        EXPECT_EQ(window.leftDirectory(), tree_.path("L"));
        EXPECT_EQ(window.rightDirectory(), tree_.path("R"));
        showAndActivate();
        EXPECT_TRUE(modeButton(row.mode)->isChecked());
        EXPECT_EQ(selectedNames(child<QListView>(MainControl::LeftFiles)), row.left);
        EXPECT_EQ(selectedNames(child<QListView>(MainControl::RightFiles)), row.right);
        EXPECT_TRUE(dialogs_.boxes.empty());
    }
    // They are kept at close like directories the user chose.
    window_->close();
    EXPECT_TRUE(settingsBytes().contains("\"CompDir1\"=\"" +
                                         QByteArray::fromStdString(tree_.path("L")) + "\""));
}

TEST_F(OperandsTest, APathThatCannotBeReadIsNamedAndTheWindowOpensAsWithout) {
    tree_.write("R/a.txt", "a");
    tree_.mkdir("locked");
    ::chmod(tree_.path("locked").c_str(), 0);
    struct Row {
        const char* name;
        std::vector<std::string> paths;
        MessageKey message;
        std::string detail; // the path at fault and the system's reason
    };
    std::vector<Row> rows = {
        {"missing",
         {"../missing", "../R"},
         MessageKey::errOperandUnreadable,
         "../missing: No such file or directory"},
        {"a directory with a file",
         {"../R", "../R/a.txt"},
         MessageKey::errOperandsMismatched,
         "../R/a.txt"},
    };
    if (::geteuid() != 0) { // permission bits do not stop root
        rows.push_back({"not readable",
                        {"../locked", "../R"},
                        MessageKey::errOperandUnreadable,
                        tree_.path("locked") + ": Permission denied"});
    }
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        window_.reset();
        dialogs_.boxes.clear();
        MainWindow& window = makeWindow();
        window.openOnOperands(row.paths);
        EXPECT_TRUE(dialogs_.boxes.empty()) << "shown after the first activation";
        showAndActivate();
        ASSERT_EQ(boxKinds(), std::vector{RecordingDialogs::Box::Kind::Failure});
        // In the language chosen at the first activation.
        EXPECT_EQ(dialogs_.boxes.front().text.toStdString(),
                  std::string(strings_.text(row.message)) + '\n' + row.detail);
        EXPECT_EQ(window.leftDirectory(), work());
        EXPECT_EQ(window.rightDirectory(), work());
        EXPECT_FALSE(modeButton(CompareMode::DirectoryWithDirectory)->isChecked());
    }
    ::chmod(tree_.path("locked").c_str(), 0700);
}

} // namespace
} // namespace quorvel::test
