#include "gui/WindowFixture.h"

#include <QSignalSpy>

#include <functional>

namespace quorvel::test {
namespace {

using ButtonTest = WindowFixture;

// Each button of the panels and the toolbar clicked as a user does, from two panels that show
// different directories, and what it leaves behind.
TEST_F(ButtonTest, EveryPanelAndToolbarButtonDoesItsJob) {
    tree_.write("work/a.txt", "a");
    tree_.mkdir("right");
    tree_.mkdir("chosen");
    for (const char* name : {"right/1", "right/2", "right/3"}) {
        tree_.write(name, "x");
    }
    const std::string right = tree_.path("right");
    const std::string chosen = tree_.path("chosen");
    const struct {
        MainControl button;
        std::string left;
        std::string right;
        int help; // the topic asked for, 0: none
        int reportShown;
    } rows[] = {
        {MainControl::CopyFromLeft, work(), work(), 0, 0},
        {MainControl::CopyFromRight, right, right, 0, 0},
        {MainControl::LeftBrowse, chosen, right, 0, 0},
        {MainControl::RightBrowse, work(), chosen, 0, 0},
        {MainControl::ViewReport, work(), right, 0, 1},
        {MainControl::Help, work(), right, 100, 0},
    };
    writeSettings("\"CompDir2\"=\"" + QByteArray::fromStdString(right) + "\"\n");
    dialogs_.chosenDirectory = QString::fromStdString(chosen);
    for (const auto& row : rows) {
        SCOPED_TRACE(row.button);
        reportDisplay_.shown = 0;
        MainWindow& window = makeWindow();
        showAndActivate();
        QSignalSpy help(&window, &MainWindow::helpRequested);
        click(row.button);
        EXPECT_EQ(window.leftDirectory(), row.left);
        EXPECT_EQ(window.rightDirectory(), row.right);
        const auto files = [](const std::string& directory) {
            return directory.ends_with("right") ? 3 : directory.ends_with("work") ? 1 : 0;
        };
        EXPECT_EQ(child<QListView>(MainControl::LeftFiles)->model()->rowCount(), files(row.left));
        EXPECT_EQ(child<QListView>(MainControl::RightFiles)->model()->rowCount(), files(row.right));
        EXPECT_EQ(help.isEmpty() ? 0 : help.front().front().toInt(), row.help);
        EXPECT_EQ(reportDisplay_.shown, row.reportShown);
        window_.reset();
    }
}

} // namespace
} // namespace quorvel::test
