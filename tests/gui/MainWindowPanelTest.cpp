#include "gui/WindowFixture.h"

#include "gui/ModeTable.h"
#include "gui/QtText.h"
#include "gui/ResizeRules.h"
#include "lang/LanguageTable.h"
#include "options/OptionTable.h"

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
    EXPECT_TRUE(shown(MainControl::Recurse));
    EXPECT_TRUE(shown(MainControl::Filter));
    EXPECT_TRUE(shown(MainControl::FilterCaption));
    EXPECT_FALSE(shown(MainControl::LeftFiles));
    EXPECT_FALSE(shown(MainControl::RightFiles));
    EXPECT_FALSE(shown(MainControl::LeftFilesCaption));
    EXPECT_EQ(
        label(MainControl::FirstGuidance),
        QStringLiteral("Allows you to compare two directories with all their subdirectories."));
    EXPECT_EQ(child<QLabel>(MainControl::FirstGuidance)->accessibleName(),
              label(MainControl::FirstGuidance));

    clickMode(CompareMode::FilesWithDirectory);
    EXPECT_TRUE(shown(MainControl::LeftFiles));
    EXPECT_FALSE(shown(MainControl::RightFiles));
    EXPECT_FALSE(shown(MainControl::RightFilesCaption));
    EXPECT_FALSE(shown(MainControl::OnlyDifferent));
    EXPECT_EQ(child<QListView>(MainControl::LeftFiles)->selectionMode(),
              QAbstractItemView::ExtendedSelection);
    selectRows(MainControl::LeftFiles, {0, 2});

    clickMode(CompareMode::FileWithFile);
    EXPECT_TRUE(shown(MainControl::RightFiles));
    EXPECT_EQ(child<QListView>(MainControl::LeftFiles)->selectionMode(),
              QAbstractItemView::SingleSelection);
    // Of the files chosen, the one clicked last stays chosen.
    const QModelIndexList kept =
        child<QListView>(MainControl::LeftFiles)->selectionModel()->selectedRows();
    ASSERT_EQ(kept.size(), 1);
    EXPECT_EQ(kept.front().row(), 2);
    // The fast option and both directories are there in every mode.
    EXPECT_TRUE(shown(MainControl::FastCompare));
    EXPECT_TRUE(shown(MainControl::LeftPath));
    EXPECT_TRUE(shown(MainControl::RightPath));
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
        EXPECT_EQ(shown(MainControl::Filter),
                  appliesTo(optionRow(&CompareOptions::filter), row.mode));
        EXPECT_EQ(shown(MainControl::LeftFiles), row.leftList);
        EXPECT_EQ(shown(MainControl::RightFiles), row.rightList);
        EXPECT_EQ(shown(MainControl::LeftFilesCaption), row.leftList);
        EXPECT_EQ(shown(MainControl::RightFilesCaption), row.rightList);
        EXPECT_EQ(label(MainControl::FirstGuidance), toQString(strings_.text(row.guidance1)));
        EXPECT_EQ(label(MainControl::SecondGuidance), toQString(strings_.text(row.guidance2)));
        if (row.leftSelection != ListSelection::Kept) {
            EXPECT_EQ(child<QListView>(MainControl::LeftFiles)->selectionMode(),
                      row.leftSelection == ListSelection::Multiple
                          ? QAbstractItemView::ExtendedSelection
                          : QAbstractItemView::SingleSelection);
        }
    }
}

TEST_F(ModeShownTest, TheButtonThatIsDownStaysDownAndRunsItsHandlerAgain) {
    clickMode(CompareMode::FilesWithDirectory);
    child<QLabel>(MainControl::FirstGuidance)->setText(QString());
    clickMode(CompareMode::FilesWithDirectory);
    EXPECT_TRUE(modeButton(CompareMode::FilesWithDirectory)->isChecked());
    EXPECT_FALSE(modeButton(CompareMode::FileWithFile)->isChecked());
    EXPECT_EQ(label(MainControl::FirstGuidance),
              QString::fromUtf8(strings_.text(MessageKey::tutorFileDir1)));
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
    EXPECT_TRUE(shown(MainControl::LeftFiles));
    EXPECT_TRUE(shown(MainControl::RightFiles));
    EXPECT_FALSE(shown(MainControl::Filter));
    EXPECT_EQ(label(MainControl::FirstGuidance),
              QStringLiteral("Vælg en af de 3 sammenligningsmåder"));
    EXPECT_EQ(child<QCheckBox>(MainControl::FastCompare)->text(),
              QStringLiteral("Hurtig sammenligning (kun størrelse)"));
    EXPECT_EQ(child<QToolButton>(MainControl::CopyFromRight)->accessibleName(),
              QStringLiteral("Hent fra højre"));
    EXPECT_EQ(strings_.text(MessageKey::capError), "Fejl");
    // The language button applies the language again even when it stays the same.
    clickMode(CompareMode::FileWithFile);
    click(MainControl::Language);
    EXPECT_FALSE(modeButton(CompareMode::FileWithFile)->isChecked());
}

// The form carries no language texts, so no hints or accessible names either: the window sets
// them, with the design's colours, fonts and pictures and captions fitted to their room, for the
// language in force.
TEST_F(ModeShownTest, TheDesignLookHintsAndNamesHoldInEveryLanguage) {
    for (const MainControl name :
         {MainControl::Abort, MainControl::LeftBrowse, MainControl::RightBrowse}) {
        EXPECT_FALSE(child<QAbstractButton>(name)->icon().isNull()) << name; // English fits
    }
    auto* filterHint = child<QLabel>(MainControl::FilterHint);
    EXPECT_TRUE(QFontInfo(filterHint->font()).fixedPitch());
    EXPECT_TRUE(QFontInfo(child<QWidget>(MainControl::Filter)->font()).fixedPitch())
        << "as its hint";
    EXPECT_EQ(filterHint->width(), filterHint->sizeHint().width());
    const std::pair<QAbstractButton*, UiKey> pictureButtons[] = {
        {modeButton(CompareMode::FileWithFile), UiKey::hintFileFile},
        {modeButton(CompareMode::FilesWithDirectory), UiKey::hintFileDir},
        {modeButton(CompareMode::DirectoryWithDirectory), UiKey::hintDirDir},
        {child<QAbstractButton>(MainControl::Start), UiKey::hintStart},
        {child<QAbstractButton>(MainControl::ViewReport), UiKey::hintViewReport},
        {child<QAbstractButton>(MainControl::Help), UiKey::hintHelp},
        {child<QAbstractButton>(MainControl::Language), UiKey::hintLanguage},
        {child<QAbstractButton>(MainControl::CopyFromLeft), UiKey::hintCopyFromLeft},
        {child<QAbstractButton>(MainControl::CopyFromRight), UiKey::hintCopyFromRight}};
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
        for (const MainControl name :
             {MainControl::LeftHeading, MainControl::RightHeading,
              MainControl::LeftDirectoryCaption, MainControl::RightDirectoryCaption,
              MainControl::LeftFilesCaption, MainControl::RightFilesCaption}) {
            const auto* heading = child<QLabel>(name);
            const bool side = name == MainControl::LeftHeading || name == MainControl::RightHeading;
            EXPECT_EQ(heading->palette().color(QPalette::WindowText),
                      QColor(side ? Qt::red : Qt::blue))
                << name;
            EXPECT_TRUE(heading->font().bold()) << name;
            EXPECT_GT(heading->font().pointSize(), window_->font().pointSize()) << name;
        }
        for (const MainControl name :
             {MainControl::LeftDirectoryCaption, MainControl::RightDirectoryCaption}) {
            EXPECT_EQ(child<QLabel>(name)->text(), text(UiKey::uiDirectory)) << name;
        }
        for (const MainControl name : {MainControl::FirstGuidance, MainControl::SecondGuidance}) {
            EXPECT_TRUE(child<QLabel>(name)->autoFillBackground()) << name;
            EXPECT_EQ(child<QLabel>(name)->palette().color(QPalette::Window), QColor(255, 255, 128))
                << name;
            EXPECT_EQ(child<QLabel>(name)->palette().color(QPalette::WindowText), QColor(Qt::black))
                << name;
        }
        // The folder picture beside Browse... stays, the caption narrowed beside it.
        for (const MainControl name : {MainControl::LeftBrowse, MainControl::RightBrowse}) {
            EXPECT_FALSE(child<QAbstractButton>(name)->icon().isNull()) << name;
        }
        for (const auto& [button, hint] : pictureButtons) {
            const std::string name = button->objectName().toStdString();
            EXPECT_FALSE(button->icon().isNull()) << name;
            EXPECT_EQ(button->toolTip(), text(hint)) << name;
            EXPECT_EQ(button->accessibleName(), text(hint)) << name;
        }
        const QString files = text(UiKey::uiFiles);
        EXPECT_EQ(label(MainControl::LeftFilesCaption), files);
        EXPECT_EQ(label(MainControl::RightFilesCaption), files);
        const std::pair<MainControl, QString> named[] = {
            {MainControl::LeftHeading, text(UiKey::uiCompareThis)},
            {MainControl::RightHeading, text(UiKey::uiWithThis)},
            {MainControl::FilterCaption, text(UiKey::uiFilter)},
            {MainControl::ExclusionCaption, text(UiKey::uiExclude)},
            {MainControl::Names, text(UiKey::uiNames)},
            {MainControl::LeftPanel, text(UiKey::uiCompareThis)},
            {MainControl::RightPanel, text(UiKey::uiWithThis)},
            {MainControl::LeftFiles, text(UiKey::uiCompareThis) + QLatin1Char(' ') + files},
            {MainControl::RightFiles, text(UiKey::uiWithThis) + QLatin1Char(' ') + files},
            {MainControl::Filter, text(UiKey::uiFilter)},
            {MainControl::Exclusions, text(UiKey::uiExclude)},
            {MainControl::GeneralOptions, text(UiKey::uiGeneralOptions)},
            {MainControl::BothSides, text(UiKey::uiBothSides)},
            {MainControl::Moves, text(UiKey::uiMoves)},
            {MainControl::ProgressBar, text(UiKey::uiProgress)},
            {MainControl::Abort, text(UiKey::uiAbort)},
            {MainControl::LeftBrowse, text(UiKey::uiBrowse)},
            {MainControl::RightBrowse, text(UiKey::uiBrowse)},
            {MainControl::Recurse, text(UiKey::uiRecurse)},
            {MainControl::OnlyDifferent, text(UiKey::uiOnlyDifferent)},
            {MainControl::FastCompare, text(UiKey::uiFastCompare)}};
        for (const auto& [name, expected] : named) {
            EXPECT_EQ(child<QWidget>(name)->accessibleName(), expected) << name;
        }
        EXPECT_EQ(child<QGroupBox>(MainControl::GeneralOptions)->title(),
                  text(UiKey::uiGeneralOptions));
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
    click(MainControl::ViewReport);
    EXPECT_EQ(reportDisplay_.shown, 1);
    EXPECT_EQ(report_.count(), 0U);
}

TEST_F(LayoutTest, EveryControlFollowsTheResizeRulesAndTheGuidanceFitsItsStrip) {
    MainWindow& window = makeWindow();
    window.show();
    clickMode(CompareMode::FilesWithDirectory); // guidance that needs narrowing at the design width
    const auto place = [this](MainControl control) { return child(control)->geometry(); };
    EXPECT_EQ(place(MainControl::LeftPanel), QRect(8, 104, 233, 251));
    EXPECT_EQ(place(MainControl::RightPanel), QRect(248, 104, 233, 251));
    EXPECT_EQ(place(MainControl::GeneralOptions), QRect(8, 362, 474, 41));
    EXPECT_EQ(place(MainControl::ViewReport).x(), 361);
    EXPECT_EQ(place(MainControl::Start).x(), 228);
    EXPECT_EQ(place(MainControl::StatusLine), QRect(0, 406, 491, 19));
    std::map<MainControl, QRect> design;
    for (const MainControl control : allMainControls()) {
        design[control] = place(control);
    }
    // A designed place with what a rule sets replaced.
    const auto with = [&design](MainControl name, std::optional<int> x, std::optional<int> y,
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
            panel1Resize(f.panelWidth, f.panelHeight, design.at(MainControl::CopyFromRight).width(),
                         design.at(MainControl::LeftBrowse).width());
        const Panel2Geometry p2 =
            panel2Resize(f.panelWidth, f.panelHeight, design.at(MainControl::RightBrowse).width());
        const Panel3Geometry p3 = panel3Resize(w);
        const std::pair<MainControl, QRect> expected[] = {
            {MainControl::Toolbar, with(MainControl::Toolbar, 0, 0, w, same)},
            {MainControl::LeftPanel,
             with(MainControl::LeftPanel, same, same, f.panelWidth, f.panelHeight)},
            {MainControl::RightPanel,
             with(MainControl::RightPanel, f.panel2Left, same, f.panelWidth, f.panelHeight)},
            {MainControl::GuidanceStrip,
             with(MainControl::GuidanceStrip, same, same, f.panel4Width, same)},
            {MainControl::ProgressBar,
             with(MainControl::ProgressBar, same, same, f.progressWidth, same)},
            {MainControl::GeneralOptions,
             with(MainControl::GeneralOptions, same, f.groupBoxTop, f.groupBoxWidth, same)},
            {MainControl::FastCompare,
             with(MainControl::FastCompare, same, same, f.fastCheckWidth, same)},
            {MainControl::StatusLine,
             with(MainControl::StatusLine, 0, h - design.at(MainControl::StatusLine).height(), w,
                  same)},
            {MainControl::CopyFromRight,
             with(MainControl::CopyFromRight, p1.copyButtonLeft, same, same, same)},
            {MainControl::LeftFrame, with(MainControl::LeftFrame, same, same, p1.bevelWidth, same)},
            {MainControl::LeftFiles,
             with(MainControl::LeftFiles, same, same, p1.fileListWidth, p1.fileListHeight)},
            {MainControl::Recurse, with(MainControl::Recurse, same, same, p1.checkBoxWidth, same)},
            {MainControl::OnlyDifferent,
             with(MainControl::OnlyDifferent, same, same, p1.checkBoxWidth, same)},
            {MainControl::LeftPath,
             with(MainControl::LeftPath, same, same, p1.pathLabelWidth, same)},
            {MainControl::LeftBrowse,
             with(MainControl::LeftBrowse, p1.browseLeft, same, same, same)},
            {MainControl::RightFrame,
             with(MainControl::RightFrame, same, same, p2.bevelWidth, same)},
            {MainControl::RightFiles,
             with(MainControl::RightFiles, same, same, p2.fileListWidth, p2.fileListHeight)},
            {MainControl::RightPath,
             with(MainControl::RightPath, same, same, p2.pathLabelWidth, same)},
            {MainControl::RightBrowse,
             with(MainControl::RightBrowse, p2.browseLeft, same, same, same)},
            {MainControl::Start, with(MainControl::Start, p3.startLeft, same, same, same)},
            {MainControl::ViewReport,
             with(MainControl::ViewReport, p3.viewReportLeft, same, same, same)},
            {MainControl::Help, with(MainControl::Help, p3.helpLeft, same, same, same)},
            {MainControl::Language,
             with(MainControl::Language, p3.languageLeft, same, same, same)}};
        for (const auto& [name, rect] : expected) {
            EXPECT_EQ(place(name), rect) << name;
        }
        EXPECT_EQ(place(MainControl::RightHeading).topLeft(),
                  QPoint(f.label4Left, design.at(MainControl::RightHeading).y()));
        // Narrowed where the strip is too short for it, never running past it.
        const auto* guidance = child<QLabel>(MainControl::FirstGuidance);
        EXPECT_EQ(guidance->font().stretch() < 100, size.guidanceNarrowed);
        EXPECT_LE(guidance->geometry().right(), place(MainControl::GuidanceStrip).width());
    }
}

TEST_F(LayoutTest, ALongPathIsShortenedFromTheLeftAndShownInFullWhenThePanelWidens) {
    const std::string deep = "a-rather-long-directory-name/another-long-directory-name/leaf";
    tree_.mkdir(deep);
    writeSettings("\"CompDir1\"=\"" + QByteArray::fromStdString(tree_.path(deep)) + "\"\n");
    MainWindow& window = makeWindow();
    window.show();
    EXPECT_TRUE(label(MainControl::LeftPath).startsWith(QStringLiteral("/.../")));
    EXPECT_TRUE(label(MainControl::LeftPath).endsWith(QStringLiteral("/leaf")));
    EXPECT_EQ(child<QLabel>(MainControl::LeftPath)->accessibleName(), label(MainControl::LeftPath));
    EXPECT_EQ(child<QLabel>(MainControl::LeftPath)->toolTip(),
              QString::fromStdString(tree_.path(deep)));
    window.resize(1400, 500);
    EXPECT_EQ(label(MainControl::LeftPath), QString::fromStdString(tree_.path(deep)));
    window.resize(491, 425);
    EXPECT_TRUE(label(MainControl::LeftPath).startsWith(QStringLiteral("/.../")));
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
    click(MainControl::LeftBrowse);
    EXPECT_EQ(openedAt, QString::fromStdString(work()));
    EXPECT_EQ(dialogs_.chooserTitles.back(), QStringLiteral("Choose a directory:"));
    EXPECT_EQ(window.leftDirectory(), tree_.path("chosen"));

    answer(tree_.path("chosen"));
    click(MainControl::RightBrowse);
    EXPECT_EQ(openedAt, QString::fromStdString(tree_.path("right")));
    EXPECT_EQ(window.rightDirectory(), tree_.path("chosen"));
}

TEST_F(BrowseTest, AChoiceThatIsNoDirectoryChangesNothing) {
    tree_.write("work/file", "x");
    writeSettings("\"Language\"=dword:00000001\n");
    MainWindow& window = makeWindow();
    showAndActivate();
    dialogs_.chosenDirectory = QString::fromStdString(tree_.path("work/file"));
    click(MainControl::LeftBrowse);
    EXPECT_EQ(window.leftDirectory(), work());
    ASSERT_EQ(dialogs_.boxes.size(), 1U);
    EXPECT_EQ(dialogs_.boxes[0].text, QStringLiteral("Invalid directory."));
    EXPECT_EQ(dialogs_.boxes[0].caption, QStringLiteral("Error"));
    EXPECT_EQ(dialogs_.boxes[0].icon, QMessageBox::Critical);
    dialogs_.chosenDirectory.reset(); // cancelled
    click(MainControl::RightBrowse);
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
    click(MainControl::CopyFromLeft); // the right panel copies from the left
    EXPECT_EQ(window.rightDirectory(), work());
    EXPECT_EQ(child<QListView>(MainControl::RightFiles)->model()->rowCount(), 2);
    selectRows(MainControl::LeftFiles, {1});
    click(MainControl::CopyFromRight); // same directory: nothing read, the selection stays
    EXPECT_EQ(child<QListView>(MainControl::LeftFiles)->selectionModel()->selectedRows().size(), 1);
    // Then browsing the left panel starts at the directory that came across.
    click(MainControl::LeftBrowse);
    EXPECT_EQ(dialogs_.chooserStarts.back(), QString::fromStdString(work()));
}

TEST_F(BrowseTest, APanelDirectoryThatVanishedShowsAnEmptyListAndTheReason) {
    tree_.mkdir("doomed");
    tree_.write("doomed/x", "x");
    writeSettings("\"CompDir1\"=\"" + QByteArray::fromStdString(tree_.path("doomed")) + "\"\n");
    makeWindow();
    showAndActivate();
    std::filesystem::remove_all(tree_.path("doomed"));
    click(MainControl::CopyFromLeft);
    EXPECT_EQ(child<QListView>(MainControl::RightFiles)->model()->rowCount(), 0);
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
    EXPECT_EQ(label(MainControl::LeftPath), QStringLiteral("/"));
}

} // namespace
} // namespace quorvel::test
