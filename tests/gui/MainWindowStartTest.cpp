#include "gui/ModeTable.h"
#include "gui/WindowFixture.h"

#include "lang/LanguageTable.h"
#include "settings/SettingsError.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>

namespace quorvel::test {
namespace {

using StartTest = WindowFixture;
using ClosingTest = WindowFixture;

TEST_F(StartTest, AFirstStartOpensAtDesignSizeOnTheWorkingDirectoryAndChoosesEnglish) {
    tree_.write("work/a.txt", "a");
    tree_.write("work/b.txt", "b");
    MainWindow& window = makeWindow();
    // Construction leaves the Italian design texts and the design state.
    EXPECT_EQ(window.size(), QSize(491, 425));
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Quorvel 2.1"));
    EXPECT_EQ(label(MainControl::LeftHeading), QStringLiteral("Confronta questo ..."));
    EXPECT_EQ(modeButton(CompareMode::FileWithFile)->toolTip(),
              QStringLiteral("Confronta file con file"));
    EXPECT_EQ(child<QLineEdit>(MainControl::Filter)->text(), QStringLiteral("*.*"));
    for (const ModeDescription& row : kModeTable) {
        EXPECT_FALSE(modeButton(row.mode)->isChecked()); // no mode down, even behind the chooser
    }
    EXPECT_TRUE(child<QCheckBox>(MainControl::OnlyDifferent)->isChecked());
    EXPECT_TRUE(child<QCheckBox>(MainControl::Recurse)->isChecked());
    EXPECT_FALSE(child<QCheckBox>(MainControl::FastCompare)->isChecked());
    EXPECT_EQ(window.leftDirectory(), work());
    EXPECT_EQ(window.rightDirectory(), work());
    EXPECT_EQ(window.programDirectory(), work());
    EXPECT_EQ(label(MainControl::LeftPath), QString::fromStdString(work()));
    EXPECT_EQ(child<QListView>(MainControl::LeftFiles)->model()->rowCount(), 2);
    EXPECT_EQ(child<QListView>(MainControl::RightFiles)->model()->rowCount(), 2);
    EXPECT_EQ(label(MainControl::StatusLine), QStringLiteral("Quorvel 2.1   C++20 / Qt 6"));

    QSignalSpy help(&window, &MainWindow::helpRequested);
    showAndActivate();
    EXPECT_EQ(window.currentLanguage(), kEnglish);
    EXPECT_EQ(label(MainControl::LeftHeading), QStringLiteral("Compare this ..."));
    EXPECT_EQ(label(MainControl::FirstGuidance),
              QStringLiteral("Select one of 3 comparison modes"));
    EXPECT_EQ(strings_.text(MessageKey::capError), "Error");
    ASSERT_EQ(help.count(), 1);
    EXPECT_EQ(help.front().front().toInt(), 200);
    // Later activations do not run the first one's steps again.
    clickMode(CompareMode::DirectoryWithDirectory);
    window.activateWindow();
    QCoreApplication::processEvents();
    EXPECT_TRUE(modeButton(CompareMode::DirectoryWithDirectory)->isChecked());
    EXPECT_EQ(help.count(), 1);
}

TEST_F(StartTest, AStoredLanguageIsAppliedAtTheFirstActivationWithoutHelp) {
    writeSettings("\"Language\"=dword:00000104\n"); // only the low byte counts
    MainWindow& window = makeWindow();
    QSignalSpy help(&window, &MainWindow::helpRequested);
    showAndActivate();
    EXPECT_EQ(window.currentLanguage(), kGerman);
    EXPECT_EQ(child<QPushButton>(MainControl::LeftBrowse)->text(),
              QStringLiteral("Durchsuchen..."));
    EXPECT_EQ(child<QPushButton>(MainControl::LeftBrowse)->accessibleName(),
              QStringLiteral("Durchsuchen..."));
    EXPECT_EQ(child<QToolButton>(MainControl::Start)->accessibleName(),
              QStringLiteral("Vergleich starten"));
    EXPECT_EQ(child<QLabel>(MainControl::LeftFilesCaption)->accessibleName(),
              QStringLiteral("Datei(en):"));
    EXPECT_EQ(help.count(), 0);
}

TEST_F(StartTest, AStoredValueThatIsNotALanguageKeepsTheItalianTexts) {
    writeSettings("\"Language\"=dword:00000009\n");
    MainWindow& window = makeWindow();
    showAndActivate();
    EXPECT_EQ(window.currentLanguage(), 9);
    EXPECT_EQ(label(MainControl::LeftHeading), QStringLiteral("Confronta questo ..."));
    EXPECT_EQ(label(MainControl::FirstGuidance),
              QStringLiteral("Permette di confrontare fra loro due file qualsiasi."));
    EXPECT_FALSE(modeButton(CompareMode::FileWithFile)->isChecked());
}

TEST_F(StartTest, StoredSizesBelowTheirBoundsAreIgnoredAndEachOtherOneApplies) {
    writeSettings("\"Form1Width\"=dword:000001f1\n\"Form1Height\"=dword:000001c1\n"); // 497, 449
    EXPECT_EQ(makeWindow().size(), QSize(491, 425));
    window_.reset();
    writeSettings("\"Form1Width\"=dword:000001f2\n\"Form1Height\"=dword:000001c2\n"); // 498, 450
    MainWindow& window = makeWindow();
    // No window manager, no frame: the stored outer size is the client size.
    EXPECT_EQ(window.size(), QSize(498, 450));
    showAndActivate();
    EXPECT_EQ(window.frameGeometry().size(), QSize(498, 450));
    window_.reset();
    writeSettings("\"Form1Height\"=dword:000001f4\n"); // 500, the width left at its design value
    EXPECT_EQ(makeWindow().size(), QSize(491, 500));
}

TEST_F(StartTest, AStoredDirectoryThatNoLongerExistsIsIgnoredWithoutAMessage) {
    tree_.mkdir("right");
    writeSettings("\"CompDir1\"=\"" + QByteArray::fromStdString(tree_.path("gone")) +
                  "\"\n\"CompDir2\"=\"" + QByteArray::fromStdString(tree_.path("right")) + "\"\n");
    MainWindow& window = makeWindow();
    showAndActivate();
    EXPECT_EQ(window.leftDirectory(), work());
    EXPECT_EQ(window.rightDirectory(), tree_.path("right"));
    EXPECT_TRUE(dialogs_.boxes.empty());
}

TEST_F(StartTest, AStoredValueOfTheWrongTypeStopsTheConstruction) {
    writeSettings("\"Form1Top\"=\"100\"\n");
    try {
        makeWindow();
        ADD_FAILURE() << "the window was made";
    } catch (const SettingsError& failure) {
        EXPECT_STREQ(failure.what(), "Invalid data type for 'Form1Top'");
    }
}

TEST_F(StartTest, HelpIsAskedForByTheHelpButtonAndByF1) {
    writeSettings("\"Language\"=dword:00000001\n");
    MainWindow& window = makeWindow();
    showAndActivate();
    QSignalSpy help(&window, &MainWindow::helpRequested);
    click(MainControl::Help);
    QTest::keyClick(&window, Qt::Key_F1);
    ASSERT_EQ(help.count(), 2);
    EXPECT_EQ(help[0].front().toInt(), 100);
    EXPECT_EQ(help[1].front().toInt(), 200);
}

TEST_F(ClosingTest, ClosingWritesEverySettingInItsOrder) {
    tree_.mkdir("left");
    writeSettings("\"Language\"=dword:00000003\n\"Form1Top\"=dword:00000010\n"
                  "\"Form1Left\"=dword:00000020\n\"CompDir1\"=\"" +
                  QByteArray::fromStdString(tree_.path("left")) + "\"\n");
    MainWindow& window = makeWindow();
    showAndActivate();
    QSignalSpy closed(&window, &MainWindow::closed);
    window.resize(600, 500);
    EXPECT_TRUE(window.close());
    EXPECT_EQ(closed.count(), 1);
    // The outer size is stored (the offscreen platform draws a frame of its own).
    const QSize outer = window.frameGeometry().size();
    const auto dword = [](int value) {
        return QByteArray::number(value, 16).rightJustified(8, '0');
    };
    const QByteArray left = QByteArray::fromStdString(tree_.path("left"));
    const QByteArray right = QByteArray::fromStdString(work());
    const QByteArray expected = QByteArray("REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\Quorvel]\n") +
                                "\"Language\"=dword:00000003\n"
                                "\"Form1Top\"=dword:00000010\n"
                                "\"Form1Left\"=dword:00000020\n"
                                "\"CompDir1\"=\"" +
                                left +
                                "\"\n"
                                "\"Form1Width\"=dword:" +
                                dword(outer.width()) +
                                "\n"
                                "\"Form1Height\"=dword:" +
                                dword(outer.height()) +
                                "\n"
                                "\"Form1Maximized\"=dword:00000000\n"
                                "\"CompDir2\"=\"" +
                                right +
                                "\"\n"
                                "\"Form2Top\"=dword:00000007\n"
                                "\"Form2Left\"=dword:00000008\n"
                                "\"Form2Width\"=dword:00000258\n"
                                "\"Form2Height\"=dword:00000190\n"
                                "\"Form2Maximized\"=dword:00000000\n"
                                "\n[HKEY_CURRENT_USER\\Software\\Quorvel\\ReportFont]\n"
                                "\"Color\"=dword:80000008\n"
                                "\"Height\"=dword:fffffff5\n"
                                "\"Name\"=\"MS Sans Serif\"\n"
                                "\"Size\"=dword:00000008\n"
                                "\"Bold\"=dword:00000000\n"
                                "\"Italic\"=dword:00000000\n"
                                "\"Underline\"=dword:00000000\n"
                                "\"StrikeOut\"=dword:00000000\n";
    EXPECT_EQ(settingsBytes().toStdString(), expected.toStdString());
}

TEST_F(ClosingTest, ClosingWhileMaximizedKeepsTheBoundsAndTheNextStartIsMaximized) {
    writeSettings("\"Form1Top\"=dword:00000010\n\"Form1Left\"=dword:00000020\n"
                  "\"Form1Width\"=dword:00000200\n\"Form1Height\"=dword:000001d0\n");
    MainWindow& window = makeWindow();
    window.showMaximized();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    EXPECT_TRUE(window.close());
    const QByteArray stored = settingsBytes();
    EXPECT_TRUE(stored.contains("\"Form1Maximized\"=dword:00000001\n"));
    EXPECT_TRUE(stored.contains("\"Form1Width\"=dword:00000200\n"));
    EXPECT_TRUE(stored.contains("\"Form1Top\"=dword:00000010\n"));
    window_.reset();

    MainWindow& next = makeWindow();
    next.showAtStart();
    EXPECT_TRUE(next.isMaximized());
    next.showNormal();
    EXPECT_EQ(next.size(), QSize(512, 464));
}

TEST_F(ClosingTest, AFailedWriteIsShownAndTheWindowStillCloses) {
    MainWindow& window = makeWindow();
    showAndActivate();
    settings_->setCommitStep([](QSaveFile&) { return false; });
    QSignalSpy closed(&window, &MainWindow::closed);
    EXPECT_TRUE(window.close());
    EXPECT_EQ(closed.count(), 1);
    ASSERT_EQ(dialogs_.boxes.size(), 1U);
    EXPECT_EQ(dialogs_.boxes[0].kind, RecordingDialogs::Box::Kind::Failure);
    // In the window's language, with the file and the reason.
    EXPECT_EQ(
        dialogs_.boxes[0].text,
        QString::fromUtf8(
            languageText(window.currentLanguage(), MessageKey::errSettingsNotSaved).value_or("")) +
            "\n" + settingsPath() + "\n" + settings_->problem());
    EXPECT_FALSE(settings_->problem().isEmpty());
}

} // namespace
} // namespace quorvel::test
