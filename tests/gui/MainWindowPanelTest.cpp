#include "gui/WindowFixture.h"

#include "gui/ModeTable.h"
#include "gui/QtText.h"
#include "gui/ResizeRules.h"
#include "lang/LanguageTable.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontInfo>
#include <QGroupBox>
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
#include <map>
#include <optional>
#include <string_view>
#include <unistd.h>

namespace quorvel::test {
namespace {

using ModeTest = WindowFixture;
using LayoutTest = WindowFixture;
using BrowseTest = WindowFixture;

class ModeShownTest : public WindowFixture {
protected:
    void SetUp() override {
        for (const char* name : {"work/a.txt", "work/b.txt", "work/c.txt"}) {
            tree_.write(name, "x");
        }
        writeSettings("\"Language\"=dword:00000001\n");
        makeWindow();
        showAndActivate();
    }
};

TEST_F(ModeShownTest, EachModeShowsItsControlsAndGuidance) {
    clickMode(CompareMode::DirectoryWithDirectory);
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

    clickMode(CompareMode::FilesWithDirectory);
    EXPECT_TRUE(shown("FileListBox1"));
    EXPECT_FALSE(shown("FileListBox2"));
    EXPECT_FALSE(shown("Label10"));
    EXPECT_FALSE(shown("CheckBoxSoloDiversi"));
    EXPECT_EQ(child<QListView>("FileListBox1")->selectionMode(),
              QAbstractItemView::ExtendedSelection);
    selectRows("FileListBox1", {0, 2});

    clickMode(CompareMode::FileWithFile);
    EXPECT_TRUE(shown("FileListBox2"));
    EXPECT_EQ(child<QListView>("FileListBox1")->selectionMode(),
              QAbstractItemView::SingleSelection);
    // Of the files chosen, the one clicked last stays chosen.
    const QModelIndexList kept = child<QListView>("FileListBox1")->selectionModel()->selectedRows();
    ASSERT_EQ(kept.size(), 1);
    EXPECT_EQ(kept.front().row(), 2);
    // The fast option and both directories are there in every mode.
    EXPECT_TRUE(shown("CheckBoxSoloDim"));
    EXPECT_TRUE(shown("Label1"));
    EXPECT_TRUE(shown("Label2"));
}

TEST_F(ModeShownTest, EveryModeOfTheTableHasAButtonOfItsOwnThatShowsItsControls) {
    EXPECT_EQ(window_->modeButton(CompareMode::None), nullptr);
    for (const ModeDescription& row : kModeTable) {
        QAbstractButton* button = window_->modeButton(row.mode);
        ASSERT_NE(button, nullptr);
        QTest::mouseClick(button, Qt::LeftButton);
        for (const ModeDescription& other : kModeTable) {
            EXPECT_EQ(window_->modeButton(other.mode)->isChecked(), other.mode == row.mode);
        }
        EXPECT_EQ(button->toolTip(), toQString(*languageText(kEnglish, row.buttonHint)));
        EXPECT_EQ(shown("EditFiltro"), row.directoryOptions);
        EXPECT_EQ(shown("FileListBox1"), row.leftList);
        EXPECT_EQ(shown("FileListBox2"), row.rightList);
        EXPECT_EQ(shown("Label9"), row.leftList);
        EXPECT_EQ(shown("Label10"), row.rightList);
        EXPECT_EQ(label("LabelTutor1"), toQString(strings_.text(row.guidance1)));
        EXPECT_EQ(label("LabelTutor2"), toQString(strings_.text(row.guidance2)));
        if (row.leftSelection != ListSelection::Kept) {
            EXPECT_EQ(child<QListView>("FileListBox1")->selectionMode(),
                      row.leftSelection == ListSelection::Multiple
                          ? QAbstractItemView::ExtendedSelection
                          : QAbstractItemView::SingleSelection);
        }
    }
}

TEST_F(ModeShownTest, TheButtonThatIsDownStaysDownAndRunsItsHandlerAgain) {
    clickMode(CompareMode::FilesWithDirectory);
    child<QLabel>("LabelTutor1")->setText(QString());
    clickMode(CompareMode::FilesWithDirectory);
    EXPECT_TRUE(modeButton(CompareMode::FilesWithDirectory)->isChecked());
    EXPECT_FALSE(modeButton(CompareMode::FileWithFile)->isChecked());
    EXPECT_EQ(label("LabelTutor1"), QString::fromUtf8(strings_.text(MessageKey::tutorFileDir1)));
    clickMode(CompareMode::FileWithFile);
    EXPECT_TRUE(modeButton(CompareMode::FileWithFile)->isChecked());
    EXPECT_FALSE(modeButton(CompareMode::FilesWithDirectory)->isChecked());
}

TEST_F(ModeShownTest, ApplyingALanguageReturnsToNoModeWithItsTexts) {
    clickMode(CompareMode::DirectoryWithDirectory);
    window_->applyLanguage(kDanish);
    for (const ModeDescription& row : kModeTable) {
        EXPECT_FALSE(modeButton(row.mode)->isChecked());
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
    clickMode(CompareMode::FileWithFile);
    click("SpeedButton7");
    EXPECT_FALSE(modeButton(CompareMode::FileWithFile)->isChecked());
}

// The form carries no language texts, so no hints or accessible names either: the window sets
// them, with the design's colours, fonts and pictures and captions fitted to their room, for the
// language in force.
TEST_F(ModeShownTest, TheDesignLookHintsAndNamesHoldInEveryLanguage) {
    for (const char* name : {"BitBtn1", "BitBtn2", "BitBtn3"}) {
        EXPECT_FALSE(child<QAbstractButton>(name)->icon().isNull()) << name; // English fits
    }
    auto* filterHint = child<QLabel>("Label12");
    EXPECT_TRUE(QFontInfo(filterHint->font()).fixedPitch());
    EXPECT_TRUE(QFontInfo(child<QWidget>("EditFiltro")->font()).fixedPitch()) << "as its hint";
    EXPECT_EQ(filterHint->width(), filterHint->sizeHint().width());
    const std::pair<const char*, UiKey> pictureButtons[] = {
        {"SpeedButton1", UiKey::hintFileFile},   {"SpeedButton2", UiKey::hintFileDir},
        {"SpeedButton3", UiKey::hintDirDir},     {"SpeedButton4", UiKey::hintStart},
        {"SpeedButton5", UiKey::hintViewReport}, {"SpeedButton6", UiKey::hintHelp},
        {"SpeedButton7", UiKey::hintLanguage},   {"BitBtn4", UiKey::hintCopyFromLeft},
        {"BitBtn5", UiKey::hintCopyFromRight}};
    // Each control's name, font and place.
    const auto laidOut = [this] {
        std::vector<std::string> state;
        for (const QWidget* w : window_->findChildren<QWidget*>()) {
            const QRect r = w->geometry();
            state.push_back(QStringLiteral("%1 %2 %3,%4 %5x%6")
                                .arg(w->objectName(), w->font().toString())
                                .arg(r.x())
                                .arg(r.y())
                                .arg(r.width())
                                .arg(r.height())
                                .toStdString());
        }
        return state;
    };
    for (const LanguageId id : {kEnglish, kItalian, kDutch, kGerman, kDanish, kSpanish}) {
        SCOPED_TRACE(static_cast<int>(id));
        window_->applyLanguage(id);
        const auto text = [id](UiKey key) { return toQString(languageText(id, key).value_or("")); };
        // Red and blue headings, bold and larger than the rest; guidance on yellow.
        for (const char* name : {"Label3", "Label4", "Label7", "Label8", "Label9", "Label10"}) {
            const auto* heading = child<QLabel>(name);
            const bool side =
                std::string_view(name) == "Label3" || std::string_view(name) == "Label4";
            EXPECT_EQ(heading->palette().color(QPalette::WindowText),
                      QColor(side ? Qt::red : Qt::blue))
                << name;
            EXPECT_TRUE(heading->font().bold()) << name;
            EXPECT_GT(heading->font().pointSize(), window_->font().pointSize()) << name;
        }
        for (const char* name : {"Label7", "Label8"}) {
            EXPECT_EQ(child<QLabel>(name)->text(), text(UiKey::uiDirectory)) << name;
        }
        for (const char* name : {"LabelTutor1", "LabelTutor2"}) {
            EXPECT_TRUE(child<QLabel>(name)->autoFillBackground()) << name;
            EXPECT_EQ(child<QLabel>(name)->palette().color(QPalette::Window), QColor(255, 255, 128))
                << name;
            EXPECT_EQ(child<QLabel>(name)->palette().color(QPalette::WindowText), QColor(Qt::black))
                << name;
        }
        // The folder picture beside Browse... stays, the caption narrowed beside it.
        for (const char* name : {"BitBtn2", "BitBtn3"}) {
            EXPECT_FALSE(child<QAbstractButton>(name)->icon().isNull()) << name;
        }
        for (const auto& [name, hint] : pictureButtons) {
            const auto* button = child<QAbstractButton>(name);
            EXPECT_FALSE(button->icon().isNull()) << name;
            EXPECT_EQ(button->toolTip(), text(hint)) << name;
            EXPECT_EQ(button->accessibleName(), text(hint)) << name;
        }
        const QString files = text(UiKey::uiFiles);
        EXPECT_EQ(label("Label9"), files);
        EXPECT_EQ(label("Label10"), files);
        const std::pair<const char*, QString> named[] = {
            {"Label3", text(UiKey::uiCompareThis)},
            {"Label4", text(UiKey::uiWithThis)},
            {"Label6", text(UiKey::uiFilter)},
            {"LabelExclude", text(UiKey::uiExclude)},
            {"Panel1", text(UiKey::uiCompareThis)},
            {"Panel2", text(UiKey::uiWithThis)},
            {"FileListBox1", text(UiKey::uiCompareThis) + QLatin1Char(' ') + files},
            {"FileListBox2", text(UiKey::uiWithThis) + QLatin1Char(' ') + files},
            {"EditFiltro", text(UiKey::uiFilter)},
            {"EditExclude", text(UiKey::uiExclude)},
            {"GroupBox1", text(UiKey::uiGeneralOptions)},
            {"CheckBoxBothSides", text(UiKey::uiBothSides)},
            {"ProgressBar1", text(UiKey::uiProgress)},
            {"BitBtn1", text(UiKey::uiAbort)},
            {"BitBtn2", text(UiKey::uiBrowse)},
            {"BitBtn3", text(UiKey::uiBrowse)},
            {"CheckBoxRecurse", text(UiKey::uiRecurse)},
            {"CheckBoxSoloDiversi", text(UiKey::uiOnlyDifferent)},
            {"CheckBoxSoloDim", text(UiKey::uiFastCompare)}};
        for (const auto& [name, expected] : named) {
            EXPECT_EQ(child<QWidget>(name)->accessibleName(), expected) << name;
        }
        EXPECT_EQ(child<QGroupBox>("GroupBox1")->title(), text(UiKey::uiGeneralOptions));
        // The captions are fitted for this language: laying the window out again changes nothing.
        const std::vector<std::string> fitted = laidOut();
        window_->resize(window_->width() + 1, window_->height());
        window_->resize(window_->width() - 1, window_->height());
        EXPECT_EQ(laidOut(), fitted);
    }
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

TEST_F(LayoutTest, EveryControlFollowsTheResizeRulesAndTheGuidanceFitsItsStrip) {
    MainWindow& window = makeWindow();
    window.show();
    clickMode(CompareMode::FilesWithDirectory); // guidance that needs narrowing at the design width
    const auto place = [this](const char* name) { return child<QWidget>(name)->geometry(); };
    EXPECT_EQ(place("Panel1"), QRect(8, 104, 233, 251));
    EXPECT_EQ(place("Panel2"), QRect(248, 104, 233, 251));
    EXPECT_EQ(place("GroupBox1"), QRect(8, 362, 474, 41));
    EXPECT_EQ(place("SpeedButton5").x(), 361);
    EXPECT_EQ(place("SpeedButton4").x(), 228);
    EXPECT_EQ(place("StatusBar1"), QRect(0, 406, 491, 19));
    std::map<std::string, QRect> design;
    for (const QWidget* w : window.findChildren<QWidget*>()) {
        design[w->objectName().toStdString()] = w->geometry();
    }
    // A designed place with what a rule sets replaced.
    const auto with = [&design](const char* name, std::optional<int> x, std::optional<int> y,
                                std::optional<int> width, std::optional<int> height) {
        const QRect r = design.at(name);
        return QRect(x.value_or(r.x()), y.value_or(r.y()), width.value_or(r.width()),
                     height.value_or(r.height()));
    };
    const std::nullopt_t same = std::nullopt;
    struct Size {
        const char* name;
        int width;
        int height;
        bool guidanceNarrowed;
    };
    for (const Size size :
         {Size{"BelowTheBounds", 300, 200, true}, Size{"Wider", 801, 600, false},
          Size{"WideAndShort", 1000, 430, false}, Size{"NarrowAndTall", 495, 700, true},
          Size{"Design", 491, 425, true}}) {
        SCOPED_TRACE(size.name);
        window.resize(size.width, size.height);
        const int w = window.width();
        const int h = window.height();
        const FormGeometry f = formResize(w, h);
        const Panel1Geometry p1 =
            panel1Resize(f.panelWidth, f.panelHeight, design.at("BitBtn5").width(),
                         design.at("BitBtn2").width());
        const Panel2Geometry p2 =
            panel2Resize(f.panelWidth, f.panelHeight, design.at("BitBtn3").width());
        const Panel3Geometry p3 = panel3Resize(w);
        const std::pair<const char*, QRect> expected[] = {
            {"Panel3", with("Panel3", 0, 0, w, same)},
            {"Panel1", with("Panel1", same, same, f.panelWidth, f.panelHeight)},
            {"Panel2", with("Panel2", f.panel2Left, same, f.panelWidth, f.panelHeight)},
            {"Panel4", with("Panel4", same, same, f.panel4Width, same)},
            {"ProgressBar1", with("ProgressBar1", same, same, f.progressWidth, same)},
            {"GroupBox1", with("GroupBox1", same, f.groupBoxTop, f.groupBoxWidth, same)},
            {"CheckBoxSoloDim", with("CheckBoxSoloDim", same, same, f.fastCheckWidth, same)},
            {"StatusBar1", with("StatusBar1", 0, h - design.at("StatusBar1").height(), w, same)},
            {"BitBtn5", with("BitBtn5", p1.copyButtonLeft, same, same, same)},
            {"Bevel1", with("Bevel1", same, same, p1.bevelWidth, same)},
            {"FileListBox1", with("FileListBox1", same, same, p1.fileListWidth, p1.fileListHeight)},
            {"CheckBoxRecurse", with("CheckBoxRecurse", same, same, p1.checkBoxWidth, same)},
            {"CheckBoxSoloDiversi",
             with("CheckBoxSoloDiversi", same, same, p1.checkBoxWidth, same)},
            {"Label1", with("Label1", same, same, p1.pathLabelWidth, same)},
            {"BitBtn2", with("BitBtn2", p1.browseLeft, same, same, same)},
            {"Bevel2", with("Bevel2", same, same, p2.bevelWidth, same)},
            {"FileListBox2", with("FileListBox2", same, same, p2.fileListWidth, p2.fileListHeight)},
            {"Label2", with("Label2", same, same, p2.pathLabelWidth, same)},
            {"BitBtn3", with("BitBtn3", p2.browseLeft, same, same, same)},
            {"SpeedButton4", with("SpeedButton4", p3.startLeft, same, same, same)},
            {"SpeedButton5", with("SpeedButton5", p3.viewReportLeft, same, same, same)},
            {"SpeedButton6", with("SpeedButton6", p3.helpLeft, same, same, same)},
            {"SpeedButton7", with("SpeedButton7", p3.languageLeft, same, same, same)}};
        for (const auto& [name, rect] : expected) {
            EXPECT_EQ(place(name), rect) << name;
        }
        EXPECT_EQ(place("Label4").topLeft(), QPoint(f.label4Left, design.at("Label4").y()));
        // Narrowed where the strip is too short for it, never running past it.
        const auto* guidance = child<QLabel>("LabelTutor1");
        EXPECT_EQ(guidance->font().stretch() < 100, size.guidanceNarrowed);
        EXPECT_LE(guidance->geometry().right(), place("Panel4").width());
    }
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
    EXPECT_EQ(child<QLabel>("Label1")->toolTip(), QString::fromStdString(tree_.path(deep)));
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
