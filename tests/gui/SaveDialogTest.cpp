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

// What the dialog showed when it opened.
struct Offered {
    QString title;
    QStringList types;
    QString type;
    QString name;
};

// Drives the real save dialog: types `name`, picks file type `entry` as a user would, confirms;
// an entry below 0 cancels.
std::optional<SaveChoice> saveAs(const SaveRequest& request, const QString& name, int entry,
                                 Offered* offered = nullptr) {
    QTimer::singleShot(0, [name, entry, offered] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        auto* types = dialog->findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
        auto* edit = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        ASSERT_NE(types, nullptr);
        ASSERT_NE(edit, nullptr);
        if (offered != nullptr) {
            *offered = {dialog->windowTitle(), dialog->nameFilters(), types->currentText(),
                        edit->text()};
        }
        if (entry < 0) {
            dialog->reject();
            return;
        }
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

    // It opens with the request's title, types, type and name; cancelled, it gives nothing.
    request.entry = 1;
    Offered offered;
    EXPECT_FALSE(saveAs(request, dir + QStringLiteral("/cancelled"), -1, &offered).has_value());
    EXPECT_EQ(offered.title, request.title);
    EXPECT_EQ(offered.types, request.nameFilters);
    EXPECT_EQ(offered.type, request.nameFilters[1]);
    EXPECT_EQ(offered.name, QStringLiteral("start"));
}

} // namespace
} // namespace quorvel::test
