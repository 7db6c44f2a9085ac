#include "gui/WindowFixture.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QLibraryInfo>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <QToolButton>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <unistd.h>

namespace quorvel::test {
namespace {

using ModeTest = WindowFixture;
using LayoutTest = WindowFixture;
using BrowseTest = WindowFixture;

class ModeShownTest : public WindowFixture {
protected:
    void SetUp() override {
        writeSettings("\"Language\"=dword:00000001\n");
        makeWindow();
        showAndActivate();
    }
};

TEST_F(ModeShownTest, EachModeShowsItsControlsAndGuidance) {
    click("SpeedButton3");
    EXPECT_TRUE(shown("CheckBoxRecurse"));
    EXPECT_TRUE(shown("EditFiltro"));
    EXPECT_TRUE(shown("Label6"));
    EXPECT_FALSE(shown("FileListBox1"));
    EXPECT_FALSE(shown("FileListBox2"));
    EXPECT_FALSE(shown("Label9"));
    EXPECT_EQ(
        label("LabelTutor1"),
        QStringLiteral("Allows you to compare two directories with all their subdirectories."));
    EXPECT_EQ(child<QLabel>("LabelTutor1")->accessibleName(), label("LabelTutor1"));

    click("SpeedButton2");
    EXPECT_TRUE(shown("FileListBox1"));
    EXPECT_FALSE(shown("FileListBox2"));
    EXPECT_FALSE(shown("Label10"));
    EXPECT_FALSE(shown("CheckBoxSoloDiversi"));
    EXPECT_EQ(child<QListView>("FileListBox1")->selectionMode(),
              QAbstractItemView::ExtendedSelection);

    click("SpeedButton1");
    EXPECT_TRUE(shown("FileListBox2"));
    EXPECT_EQ(child<QListView>("FileListBox1")->selectionMode(),
              QAbstractItemView::SingleSelection);
    // The fast option and both directories are there in every mode.
    EXPECT_TRUE(shown("CheckBoxSoloDim"));
    EXPECT_TRUE(shown("Label1"));
    EXPECT_TRUE(shown("Label2"));
}

TEST_F(ModeShownTest, TheButtonThatIsDownStaysDownAndRunsItsHandlerAgain) {
    click("SpeedButton2");
    child<QLabel>("LabelTutor1")->setText(QString());
    click("SpeedButton2");
    EXPECT_TRUE(child<QToolButton>("SpeedButton2")->isChecked());
    EXPECT_FALSE(child<QToolButton>("SpeedButton1")->isChecked());
    EXPECT_EQ(label("LabelTutor1"), QString::fromUtf8(strings_.text(MessageKey::tutorFileDir1)));
    click("SpeedButton1");
    EXPECT_TRUE(child<QToolButton>("SpeedButton1")->isChecked());
    EXPECT_FALSE(child<QToolButton>("SpeedButton2")->isChecked());
}

TEST_F(ModeShownTest, ApplyingALanguageReturnsToNoModeWithItsTexts) {
    click("SpeedButton3");
    window_->applyLanguage(kDanish);
    for (const char* button : {"SpeedButton1", "SpeedButton2", "SpeedButton3"}) {
        EXPECT_FALSE(child<QToolButton>(button)->isChecked()) << button;
    }
    EXPECT_TRUE(shown("FileListBox1"));
    EXPECT_TRUE(shown("FileListBox2"));
    EXPECT_FALSE(shown("EditFiltro"));
    EXPECT_EQ(label("LabelTutor1"), QStringLiteral("Vælg en af de 3 sammenligningsmåder"));
    EXPECT_EQ(child<QCheckBox>("CheckBoxSoloDim")->text(),
              QStringLiteral("Hurtig sammenligning (kun størrelse)"));
    EXPECT_EQ(child<QToolButton>("BitBtn5")->accessibleName(), QStringLiteral("Hent fra højre"));
    EXPECT_EQ(strings_.text(MessageKey::capError), "Fejl");
    // The language button applies the language again even when it stays the same.
    click("SpeedButton1");
    click("SpeedButton7");
    EXPECT_FALSE(child<QToolButton>("SpeedButton1")->isChecked());
}

// The form carries no language texts, so no accessible names either: the window names every
// control it can act on from the language in force.
TEST_F(ModeShownTest, EveryControlIsNamedForScreenReaders) {
    for (const char* name :
         {"SpeedButton1", "SpeedButton2", "SpeedButton3", "SpeedButton4", "SpeedButton5",
          "SpeedButton6", "SpeedButton7", "BitBtn1", "BitBtn2", "BitBtn3", "BitBtn4", "BitBtn5",
          "ProgressBar1", "EditFiltro", "FileListBox1", "FileListBox2", "CheckBoxRecurse",
          "CheckBoxSoloDiversi", "CheckBoxSoloDim"}) {
        EXPECT_FALSE(child<QWidget>(name)->accessibleName().isEmpty()) << name;
    }
    window_->applyLanguage(kGerman);
    EXPECT_EQ(child<QToolButton>("SpeedButton4")->accessibleName(),
              QStringLiteral("Vergleich starten"));
    EXPECT_EQ(child<QLineEdit>("EditFiltro")->accessibleName(), QStringLiteral("Filter"));
}

TEST_F(ModeShownTest, QtsOwnDialogsFollowTheLanguage) {
    if (!QFileInfo::exists(QLibraryInfo::path(QLibraryInfo::TranslationsPath) +
                           QStringLiteral("/qtbase_de.qm"))) {
        GTEST_SKIP() << "Qt's translations are not installed";
    }
    const auto yes = [] { return QCoreApplication::translate("QPlatformTheme", "&Yes"); };
    window_->applyLanguage(kGerman);
    EXPECT_EQ(yes(), QStringLiteral("&Ja"));
    window_->applyLanguage(kEnglish);
    EXPECT_EQ(yes(), QStringLiteral("&Yes"));
}

TEST_F(ModeShownTest, ViewingTheReportBeforeAnyRunShowsTheEmptyReport) {
    click("SpeedButton5");
    EXPECT_EQ(reportDisplay_.shown, 1);
    EXPECT_EQ(report_.count(), 0U);
}

TEST_F(LayoutTest, ResizingFollowsTheRulesWithTheirLowerBounds) {
    MainWindow& window = makeWindow();
    window.show();
    const auto geometry = [this](const char* name) { return child<QWidget>(name)->geometry(); };
    EXPECT_EQ(geometry("Panel1"), QRect(8, 104, 233, 251));
    EXPECT_EQ(geometry("Panel2"), QRect(248, 104, 233, 251));
    EXPECT_EQ(geometry("Label4").x(), 256);
    EXPECT_EQ(geometry("GroupBox1"), QRect(8, 362, 474, 41));
    EXPECT_EQ(geometry("SpeedButton5").x(), 361);
    EXPECT_EQ(geometry("SpeedButton4").x(), 228);
    EXPECT_EQ(geometry("StatusBar1"), QRect(0, 406, 491, 19));

    window.resize(300, 200);
    EXPECT_EQ(geometry("Panel1").size(), QSize(233, 249));
    EXPECT_EQ(geometry("Panel4").width(), 489);
    EXPECT_EQ(geometry("GroupBox1"), QRect(8, 360, 473, 41));
    EXPECT_EQ(geometry("ProgressBar1").width(), 283);

    window.resize(801, 600);
    EXPECT_EQ(geometry("Panel1").size(), QSize(388, 426));
    EXPECT_EQ(geometry("Panel2").x(), 403);
    EXPECT_EQ(geometry("FileListBox1").size(), QSize(372, 298));
    EXPECT_EQ(geometry("FileListBox2").size(), QSize(372, 298));
    EXPECT_EQ(geometry("BitBtn5").right() + 1, 388 - 16);
    EXPECT_EQ(geometry("BitBtn4").x(), 16);
    EXPECT_EQ(geometry("BitBtn2").x(), (388 - 93) / 2);
    EXPECT_EQ(geometry("SpeedButton7").x(), 801 - 130 + 80);
    EXPECT_EQ(geometry("GroupBox1").y(), 537);
}

TEST_F(LayoutTest, ALongPathIsShortenedFromTheLeftAndShownInFullWhenThePanelWidens) {
    const std::string deep = "a-rather-long-directory-name/another-long-directory-name/leaf";
    tree_.mkdir(deep);
    writeSettings("\"CompDir1\"=\"" + QByteArray::fromStdString(tree_.path(deep)) + "\"\n");
    MainWindow& window = makeWindow();
    window.show();
    EXPECT_TRUE(label("Label1").startsWith(QStringLiteral("/.../")));
    EXPECT_TRUE(label("Label1").endsWith(QStringLiteral("/leaf")));
    EXPECT_EQ(child<QLabel>("Label1")->accessibleName(), label("Label1"));
    window.resize(1400, 500);
    EXPECT_EQ(label("Label1"), QString::fromStdString(tree_.path(deep)));
    window.resize(491, 425);
    EXPECT_TRUE(label("Label1").startsWith(QStringLiteral("/.../")));
}

TEST_F(BrowseTest, TheChooserOpensAtEachPanelsOwnDirectory) {
    tree_.mkdir("right");
    tree_.mkdir("chosen");
    writeSettings("\"Language\"=dword:00000001\n\"CompDir2\"=\"" +
                  QByteArray::fromStdString(tree_.path("right")) + "\"\n");
    MainWindow& window = makeWindow();
    showAndActivate();
    dialogs_.useRealChooser = true;
    // Answers the platform's chooser through its own file-name field.
    QString openedAt;
    const auto answer = [&openedAt](const std::string& path) {
        auto* poll = new QTimer;
        QObject::connect(poll, &QTimer::timeout, poll, [poll, &openedAt, path] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            if (dialog == nullptr) {
                return;
            }
            poll->stop();
            poll->deleteLater();
            openedAt = dialog->directory().absolutePath();
            auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
            name->setText(QString::fromStdString(path));
            QTest::keyClick(name, Qt::Key_Return);
        });
        poll->start(5);
    };
    answer(tree_.path("chosen"));
    click("BitBtn2");
    EXPECT_EQ(openedAt, QString::fromStdString(work()));
    EXPECT_EQ(dialogs_.chooserTitles.back(), QStringLiteral("Choose a directory:"));
    EXPECT_EQ(window.leftDirectory(), tree_.path("chosen"));

    answer(tree_.path("chosen"));
    click("BitBtn3");
    EXPECT_EQ(openedAt, QString::fromStdString(tree_.path("right")));
    EXPECT_EQ(window.rightDirectory(), tree_.path("chosen"));
}

TEST_F(BrowseTest, AChoiceThatIsNoDirectoryChangesNothing) {
    tree_.write("work/file", "x");
    writeSettings("\"Language\"=dword:00000001\n");
    MainWindow& window = makeWindow();
    showAndActivate();
    dialogs_.chosenDirectory = QString::fromStdString(tree_.path("work/file"));
    click("BitBtn2");
    EXPECT_EQ(window.leftDirectory(), work());
    ASSERT_EQ(dialogs_.boxes.size(), 1U);
    EXPECT_EQ(dialogs_.boxes[0].text, QStringLiteral("Invalid directory."));
    EXPECT_EQ(dialogs_.boxes[0].caption, QStringLiteral("Error"));
    EXPECT_EQ(dialogs_.boxes[0].icon, QMessageBox::Critical);
    dialogs_.chosenDirectory.reset(); // cancelled
    click("BitBtn3");
    EXPECT_EQ(window.rightDirectory(), work());
    EXPECT_EQ(dialogs_.boxes.size(), 1U);
}

TEST_F(BrowseTest, CopyAcrossTakesTheOtherPanelsDirectoryAndKeepsASelectionWhenUnchanged) {
    tree_.write("work/a.txt", "a");
    tree_.write("work/b.txt", "b");
    tree_.mkdir("right");
    writeSettings("\"CompDir2\"=\"" + QByteArray::fromStdString(tree_.path("right")) + "\"\n");
    MainWindow& window = makeWindow();
    showAndActivate();
    click("BitBtn4"); // the right panel copies from the left
    EXPECT_EQ(window.rightDirectory(), work());
    EXPECT_EQ(child<QListView>("FileListBox2")->model()->rowCount(), 2);
    selectRows("FileListBox1", {1});
    click("BitBtn5"); // same directory: nothing read, the selection stays
    EXPECT_EQ(child<QListView>("FileListBox1")->selectionModel()->selectedRows().size(), 1);
    // Then browsing the left panel starts at the directory that came across.
    click("BitBtn2");
    EXPECT_EQ(dialogs_.chooserStarts.back(), QString::fromStdString(work()));
}

TEST_F(BrowseTest, APanelDirectoryThatVanishedShowsAnEmptyListAndTheReason) {
    tree_.mkdir("doomed");
    tree_.write("doomed/x", "x");
    writeSettings("\"CompDir1\"=\"" + QByteArray::fromStdString(tree_.path("doomed")) + "\"\n");
    makeWindow();
    showAndActivate();
    std::filesystem::remove_all(tree_.path("doomed"));
    click("BitBtn4");
    EXPECT_EQ(child<QListView>("FileListBox2")->model()->rowCount(), 0);
    ASSERT_EQ(dialogs_.boxes.size(), 1U);
    EXPECT_EQ(dialogs_.boxes[0].kind, RecordingDialogs::Box::Kind::Failure);
    EXPECT_EQ(dialogs_.boxes[0].text, QString::fromStdString(tree_.path("doomed")) +
                                          QStringLiteral(": ") +
                                          QString::fromLocal8Bit(std::strerror(ENOENT)));
}

TEST_F(BrowseTest, TheRootIsShownAsItselfAndTheProgramDirectoryLosesItsSlash) {
    ASSERT_EQ(::chdir("/"), 0);
    MainWindow& window = makeWindow();
    EXPECT_EQ(window.programDirectory(), "");
    EXPECT_EQ(window.leftDirectory(), "/");
    EXPECT_EQ(label("Label1"), QStringLiteral("/"));
}

} // namespace
} // namespace quorvel::test
