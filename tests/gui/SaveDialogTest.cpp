#include "gui/ReportWindowHooks.h"
#include "support/TempTree.h"

#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QTimer>

#include <gtest/gtest.h>

namespace quorvel::test {
namespace {

// Drives the real save dialog: types `name`, picks file type `entry` as a user would, confirms.
std::optional<SaveChoice> saveAs(const SaveRequest& request, const QString& name, int entry) {
    QTimer::singleShot(0, [name, entry] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        auto* types = dialog->findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
        auto* edit = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        ASSERT_NE(types, nullptr);
        ASSERT_NE(edit, nullptr);
        types->setCurrentIndex(entry);
        emit types->activated(entry);
        edit->setText(name);
        static_cast<QDialog*>(dialog)->accept(); // as the Save button does
    });
    return desktopReportWindowHooks().saveDialog(nullptr, request);
}

TEST(SaveDialogTest, ABareNameGetsTheExtensionOfTheFileTypeChosen) {
    TempTree tree;
    const QString dir = QString::fromStdString(tree.root());
    SaveRequest request{
        QStringLiteral("Save report..."),
        {QStringLiteral("Text file (TXT) (*.txt)"), QStringLiteral("HTML (*.html)")},
        0,
        dir + QStringLiteral("/start"),
        {QStringLiteral("txt"), QStringLiteral("html")}};

    std::optional<SaveChoice> choice = saveAs(request, dir + QStringLiteral("/bare"), 1);
    ASSERT_TRUE(choice.has_value());
    EXPECT_EQ(choice->fileName, dir + QStringLiteral("/bare.html"));
    EXPECT_EQ(choice->entry, 1);

    choice = saveAs(request, dir + QStringLiteral("/other"), 0);
    ASSERT_TRUE(choice.has_value());
    EXPECT_EQ(choice->fileName, dir + QStringLiteral("/other.txt"));
    EXPECT_EQ(choice->entry, 0);

    // An extension of the user's own stays, whatever the type.
    choice = saveAs(request, dir + QStringLiteral("/report.txt"), 1);
    ASSERT_TRUE(choice.has_value());
    EXPECT_EQ(choice->fileName, dir + QStringLiteral("/report.txt"));
    EXPECT_EQ(choice->entry, 1);
}

} // namespace
} // namespace quorvel::test
