#include "gui/WindowFixture.h"

#include "gui/LanguageChooser.h"
#include "gui/ProgramWindows.h"
#include "gui/ReportWindow.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QLabel>
#include <QListView>
#include <QTest>

#include <functional>
#include <iterator>
#include <optional>
#include <set>

#include <fcntl.h>
#include <unistd.h>

namespace quorvel::test {
namespace {

using ReachTest = WindowFixture;

// Enters `levels` new directories named `component` below the working directory, one call per
// name, so the depth has no limit; returns the path reached.
std::string enterChain(int levels, const std::string& component) {
    for (int i = 0; i < levels; ++i) {
        if (::mkdir(component.c_str(), 0755) != 0 || ::chdir(component.c_str()) != 0) {
            ADD_FAILURE() << "cannot go down at level " << i;
            return {};
        }
    }
    std::vector<char> buffer(1 << 16);
    return ::getcwd(buffer.data(), buffer.size()) != nullptr ? buffer.data() : "";
}

TEST_F(ReachTest, AWorkingFolderDeeperThanOneCallTakesListsItsFiles) {
    const std::string deep = enterChain(40, std::string(200, 'd'));
    ASSERT_GT(deep.size(), 8000u);
    for (const char* name : {"a.txt", "b.exe"}) {
        const int fd = ::open(name, O_WRONLY | O_CREAT | O_CLOEXEC, 0644);
        ASSERT_GE(fd, 0);
        ::close(fd);
    }
    MainWindow& window = makeWindow();
    EXPECT_EQ(window.leftDirectory(), deep);
    for (const MainControl list : {MainControl::LeftFiles, MainControl::RightFiles}) {
        SCOPED_TRACE(list);
        const QAbstractItemModel* files = child<QListView>(list)->model();
        ASSERT_EQ(files->rowCount(), 2);
        EXPECT_EQ(files->index(0, 0).data().toString(), "a.txt");
        EXPECT_FALSE(files->index(1, 0).data(Qt::DecorationRole).isNull());
    }
    showAndActivate();
    EXPECT_TRUE(dialogs_.boxes.empty()) << dialogs_.boxes[0].text.toStdString();
    ASSERT_EQ(::chdir(work().c_str()), 0); // the tree is removed from outside
}

TEST_F(ReachTest, AFolderNamedInAnotherEncodingIsKeptForTheNextStart) {
    const std::string latin1 = "caf\xe9";
    tree_.mkdir("work/" + latin1);
    tree_.write("work/" + latin1 + "/plan.txt", "x");
    ASSERT_EQ(::chdir(latin1.c_str()), 0);
    {
        MainWindow& first = makeWindow();
        EXPECT_EQ(first.leftDirectory(), work() + "/" + latin1);
        first.close();
    }
    ASSERT_EQ(::chdir(work().c_str()), 0);
    MainWindow& next = makeWindow();
    EXPECT_EQ(next.leftDirectory(), work() + "/" + latin1);
    EXPECT_EQ(next.rightDirectory(), work() + "/" + latin1);
    EXPECT_EQ(child<QListView>(MainControl::LeftFiles)->model()->rowCount(), 1);
}

TEST_F(ReachTest, AssistiveToolsAreToldTheWindowsAndTheStatusBarForWhatTheyAre) {
    writeSettings("\"Language\"=dword:00000001\n");
    ProgramWindows windows(strings_, report_, files_, *settings_, dialogs_, {});
    MainWindow& main = windows.mainWindow();
    showAndActivate(main);
    const auto role = [](QObject* object) {
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(object);
        return accessible != nullptr ? accessible->role() : QAccessible::NoRole;
    };
    EXPECT_EQ(role(&main), QAccessible::Window);
    EXPECT_EQ(QAccessible::queryAccessibleInterface(&main)->text(QAccessible::Name), "Quorvel 2.1");
    auto* status = in<QLabel>(main, MainControl::StatusLine);
    EXPECT_EQ(role(status), QAccessible::StatusBar);
    EXPECT_EQ(QAccessible::queryAccessibleInterface(status)->text(QAccessible::Name),
              status->text());
    EXPECT_FALSE(status->text().isEmpty());
    // The status bar is found among the window's children, where a reader looks for it.
    QAccessibleInterface* window = QAccessible::queryAccessibleInterface(&main);
    bool found = false;
    for (int i = 0; i < window->childCount(); ++i) {
        found = found || window->child(i)->role() == QAccessible::StatusBar;
    }
    EXPECT_TRUE(found);
    EXPECT_EQ(role(&windows.reportWindow()), QAccessible::Dialog);
    EXPECT_EQ(role(&windows.chooser()), QAccessible::Dialog);
    // Other labels stay labels.
    EXPECT_EQ(role(in<QLabel>(main, MainControl::LeftPath)), QAccessible::StaticText);
}

constexpr CompareMode kModes[] = {CompareMode::FileWithFile, CompareMode::FilesWithDirectory,
                                  CompareMode::DirectoryWithDirectory};

// The mode whose button `w` is, if it is one.
std::optional<CompareMode> modeOf(MainWindow& window, const QWidget* w) {
    for (const CompareMode mode : kModes) {
        if (w != nullptr && w == window.modeButton(mode)) {
            return mode;
        }
    }
    return std::nullopt;
}

// The mode buttons the keyboard reaches: Tab around the whole window from the first control, and
// the arrows from each mode button Tab stops on.
std::set<CompareMode> modeButtonsReached(MainWindow& window) {
    std::set<CompareMode> reached;
    auto note = [&reached, &window](QWidget* w) {
        if (const auto mode = modeOf(window, w)) {
            reached.insert(*mode);
        }
    };
    QWidget* start = window.modeButton(CompareMode::FileWithFile);
    start->setFocus(Qt::OtherFocusReason);
    QCoreApplication::processEvents();
    for (int i = 0; i < 60; ++i) {
        QWidget* focused = QApplication::focusWidget();
        note(focused);
        if (const auto mode = modeOf(window, focused); mode && reached.contains(*mode)) {
            for (Qt::Key key : {Qt::Key_Right, Qt::Key_Right, Qt::Key_Left, Qt::Key_Left}) {
                QTest::keyClick(QApplication::focusWidget(), key);
                note(QApplication::focusWidget());
            }
            focused->setFocus(Qt::TabFocusReason);
        }
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    return reached;
}

TEST_F(ReachTest, EveryModeButtonIsReachedByTheKeyboardInEveryState) {
    writeSettings("\"Language\"=dword:00000001\n");
    MainWindow& window = makeWindow();
    showAndActivate();
    const std::set<CompareMode> all(std::begin(kModes), std::end(kModes));
    struct Row {
        const char* state;
        std::function<void()> enter;
    };
    const Row rows[] = {
        {"no mode at start", [] {}},
        {"file with file", [this] { clickMode(CompareMode::FileWithFile); }},
        {"directory with directory", [this] { clickMode(CompareMode::DirectoryWithDirectory); }},
        {"after a language change", [&window] { window.applyLanguage(kGerman); }},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.state);
        row.enter();
        EXPECT_EQ(modeButtonsReached(window), all);
    }
}

// Behind the first start's language chooser the window shows what it shows without a mode: the
// file lists and the directory options, which share their place, never both.
TEST_F(ReachTest, BehindTheFirstStartsChooserNoTwoControlsShareAPlace) {
    MainWindow& window = makeWindow(); // no language stored: the chooser comes first
    const std::pair<MainControl, MainControl> sharing[] = {
        {MainControl::LeftFiles, MainControl::Filter},
        {MainControl::RightFiles, MainControl::Exclusions},
        {MainControl::RightFiles, MainControl::BothSides},
        {MainControl::RightFiles, MainControl::Names},
        {MainControl::RightFiles, MainControl::Moves}};
    for (const auto& [list, option] : sharing) {
        const auto* a = in(window, list);
        const auto* b = in(window, option);
        EXPECT_FALSE(a->isVisibleTo(&window) && b->isVisibleTo(&window) &&
                     a->geometry().intersects(b->geometry()))
            << list << " and " << option;
    }
}

// Tab from before the mode buttons lands on the one pressed down, so Space there keeps the mode;
// the next Tab goes on past the group, Shift+Tab comes back to the same button and, once more,
// leaves the group backwards: whichever button is down.
TEST_F(ReachTest, TabEntersTheModeButtonsOnTheOnePressedDown) {
    writeSettings("\"Language\"=dword:00000001\n");
    MainWindow& window = makeWindow();
    showAndActivate();
    auto tabStop = [&](QWidget* from, bool forward) {
        QWidget* next = from;
        do {
            next = forward ? next->nextInFocusChain() : next->previousInFocusChain();
        } while (!(next->focusPolicy() & Qt::TabFocus) || !next->isVisible() ||
                 modeOf(window, next));
        return next;
    };
    QWidget* before = tabStop(modeButton(CompareMode::FileWithFile), false);
    QWidget* after = tabStop(modeButton(CompareMode::DirectoryWithDirectory), true);
    for (const CompareMode mode : kModes) {
        SCOPED_TRACE(static_cast<int>(mode));
        clickMode(mode);
        const auto* pressed = modeButton(mode);
        before->setFocus(Qt::TabFocusReason);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget(), pressed);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
        EXPECT_TRUE(pressed->isChecked());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget(), after);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
        EXPECT_EQ(QApplication::focusWidget(), pressed);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
        EXPECT_EQ(QApplication::focusWidget(), before);
    }
}

} // namespace
} // namespace quorvel::test
