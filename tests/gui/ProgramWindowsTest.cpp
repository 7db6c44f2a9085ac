#include "gui/WindowFixture.h"

#include "gui/ApplicationHelpFile.h"
#include "gui/GuiImages.h"
#include "gui/LanguageChooser.h"
#include "gui/ProgramWindows.h"
#include "gui/ReportView.h"
#include "gui/ReportWindow.h"
#include "lang/LanguageTable.h"

#include <QCheckBox>
#include <QLabel>
#include <QListView>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>
#include <QToolButton>

#include <functional>
#include <memory>

namespace quorvel::test {
namespace {

QString ui(LanguageId id, UiKey key) {
    return QString::fromUtf8(languageText(id, key).value_or("?").data());
}

std::string message(LanguageId id, MessageKey key) {
    return std::string(languageText(id, key).value_or("?"));
}

// Runs `action` once, inside the modal loop of `window`, as soon as it is shown.
class WhenShown : public QObject {
public:
    WhenShown(QWidget& window, std::function<void()> action)
        : window_(window), action_(std::move(action)) {
        window_.installEventFilter(this);
    }
    ~WhenShown() override { window_.removeEventFilter(this); }
    int times = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == &window_ && event->type() == QEvent::Show) {
            ++times;
            QTimer::singleShot(0, this, action_);
        }
        return false;
    }

private:
    QWidget& window_;
    std::function<void()> action_;
};

// The program's windows as main() makes them, with the boxes and the report window's dialogs
// answered at once. No installed help folder: a help file is looked for where its path says.
class ProgramTest : public WindowFixture {
protected:
    ~ProgramTest() override { program_.reset(); }

    void makeProgram() {
        program_ = std::make_unique<ProgramWindows>(strings_, report_, files_, *settings_, dialogs_,
                                                    QString());
        program_->reportWindow().hooks().saveDialog = [this](QWidget*, const SaveRequest& r) {
            saveTitles_.push_back(r.title);
            return std::optional<SaveChoice>();
        };
    }
    MainWindow& main() const { return program_->mainWindow(); }
    ReportWindow& reportWindow() const { return program_->reportWindow(); }
    LanguageChooser& chooser() const { return program_->chooser(); }

    QString mainLabel(MainControl control) const { return in<QLabel>(main(), control)->text(); }
    void selectRows(MainControl list, std::initializer_list<int> rows) const {
        selectRowsIn(main(), list, rows);
    }

    void activate() { showAndActivate(main()); }

    // Chooses item `item` in the chooser the next time it opens (none: the close box).
    std::unique_ptr<WhenShown> choose(std::optional<int> item) {
        return std::make_unique<WhenShown>(chooser(), [this, item] {
            preselected_ = chooser().selectedItem();
            chooserFrame_ = chooser().frameGeometry();
            if (!item) {
                chooser().close();
                return;
            }
            // Clicked as a button, since the click that opened the chooser is still under way.
            chooser().findChild<QRadioButton*>(QStringLiteral("RadioItem%1").arg(*item))->click();
            in<QPushButton>(chooser(), ChooserControl::Ok)->click();
        });
    }

    // The title the report window's save dialog is opened with.
    QString saveDialogTitle() {
        const bool empty = report_.count() == 0;
        if (empty) {
            report_.appendReportLine("line");
        }
        saveTitles_.clear();
        reportWindow().Button3Click();
        return saveTitles_.empty() ? QString() : saveTitles_.back();
    }

    void expectLanguage(LanguageId id) {
        EXPECT_EQ(main().currentLanguage(), id);
        EXPECT_EQ(mainLabel(MainControl::LeftHeading), ui(id, UiKey::uiCompareThis));
        EXPECT_EQ(mainLabel(MainControl::FirstGuidance), ui(id, UiKey::tutorNoMode1));
        EXPECT_EQ(reportWindow().windowTitle(), ui(id, UiKey::uiReportCaption));
        EXPECT_EQ(in<QPushButton>(reportWindow(), ReportControl::Close)->text(),
                  ui(id, UiKey::uiClose));
        EXPECT_EQ(strings_.text(MessageKey::capError), message(id, MessageKey::capError));
    }

    void expectHelpFiles(const std::string& path) {
        EXPECT_EQ(main().helpFile(), path);
        EXPECT_EQ(reportWindow().helpFile(), path);
        EXPECT_EQ(applicationHelpFile(), path);
    }

    std::unique_ptr<ProgramWindows> program_;
    std::vector<QString> saveTitles_;
    std::optional<int> preselected_ = -2;
    QRect chooserFrame_;
};

constexpr char kPage[] = "<html><head><title>Help</title></head><body><a name=\"100\"></a>"
                         "<a name=\"200\"></a><a name=\"300\"></a></body></html>";

TEST_F(ProgramTest, AFirstStartOffersTheChooserAndGermanComesIntoForceEverywhere) {
    tree_.write("work/Help_deu.html", kPage);
    makeProgram();
    const auto chosen = choose(3);
    activate();
    EXPECT_EQ(chosen->times, 1);
    EXPECT_EQ(preselected_, std::nullopt);
    const QRect mainFrame = main().frameGeometry();
    EXPECT_EQ(chooserFrame_.top(), mainFrame.top() + 20);
    EXPECT_EQ(chooserFrame_.left(),
              mainFrame.left() + mainFrame.width() / 2 - chooserFrame_.width() / 2);

    expectLanguage(kGerman);
    EXPECT_EQ(saveDialogTitle(), ui(kGerman, UiKey::dlgSaveTitle));
    expectHelpFiles(work() + "/Help_deu.html");
    HelpWindow& help = program_->helpWindow();
    EXPECT_TRUE(help.isVisible());
    EXPECT_EQ(help.browser()->source().toLocalFile().toStdString(), work() + "/Help_deu.html");
    EXPECT_EQ(help.browser()->source().fragment(), "200");
}

TEST_F(ProgramTest, AFirstStartWithoutTheChosenLanguagesHelpOpensTheEnglishOne) {
    tree_.write("work/Help_eng.html", kPage);
    makeProgram();
    const auto chosen = choose(3);
    activate();
    expectLanguage(kGerman);
    expectHelpFiles(work() + "/Help_eng.html");
    EXPECT_EQ(program_->helpWindow().browser()->source().toLocalFile().toStdString(),
              work() + "/Help_eng.html");
}

TEST_F(ProgramTest, AFirstStartClosedByTheCloseBoxTakesEnglishAndOpensHelp) {
    tree_.write("work/Help_eng.html", kPage);
    makeProgram();
    const auto closed = choose(std::nullopt);
    activate();
    EXPECT_EQ(closed->times, 1);
    expectLanguage(kEnglish);
    expectHelpFiles(work() + "/Help_eng.html");
    EXPECT_EQ(program_->helpWindow().browser()->source().fragment(), "200");
}

TEST_F(ProgramTest, AStoredValueWhoseLowByteIsZeroIsAFirstStart) {
    writeSettings("\"Language\"=dword:00000100\n");
    makeProgram();
    const auto chosen = choose(1);
    activate();
    EXPECT_EQ(chosen->times, 1);
    expectLanguage(kItalian);
}

TEST_F(ProgramTest, StoredItalianWithoutItsHelpFileTakesTheEnglishPath) {
    tree_.mkdir("work/Help_ita.html"); // a directory is no help file
    writeSettings("\"Language\"=dword:00000002\n");
    makeProgram();
    const auto chooserShown = choose(std::nullopt);
    activate();
    EXPECT_EQ(chooserShown->times, 0);
    expectLanguage(kItalian);
    expectHelpFiles(work() + "/Help_eng.html");
    EXPECT_FALSE(program_->helpWindow().isVisible());
}

TEST_F(ProgramTest, HelpRequestsOpenTheirTopics) {
    tree_.write("work/Help_eng.html", kPage);
    writeSettings("\"Language\"=dword:00000001\n");
    makeProgram();
    activate();
    QTextBrowser* browser = program_->helpWindow().browser();
    clickIn(main(), MainControl::Help);
    EXPECT_EQ(browser->source().fragment(), "100");
    // The help window took the focus; F1 belongs to the main window.
    main().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&main()));
    QTest::keyClick(&main(), Qt::Key_F1);
    EXPECT_EQ(browser->source().fragment(), "200");
    reportWindow().SpeedButton1Click();
    EXPECT_EQ(browser->source().fragment(), "300");
    EXPECT_EQ(browser->source().toLocalFile().toStdString(), work() + "/Help_eng.html");
}

TEST_F(ProgramTest, TheLanguageButtonReturnsToNoModeInTheNewLanguage) {
    writeSettings("\"Language\"=dword:00000001\n");
    makeProgram();
    activate();
    press(main().modeButton(CompareMode::DirectoryWithDirectory));
    ASSERT_TRUE(in<QCheckBox>(main(), MainControl::Recurse)->isVisible());
    {
        const auto danish = choose(4);
        clickIn(main(), MainControl::Language);
        EXPECT_EQ(preselected_, 0);
    }
    expectLanguage(kDanish);
    EXPECT_EQ(mainLabel(MainControl::SecondGuidance), ui(kDanish, UiKey::tutorNoMode2));
    EXPECT_TRUE(in<QWidget>(main(), MainControl::LeftFiles)->isVisible());
    EXPECT_TRUE(in<QWidget>(main(), MainControl::RightFiles)->isVisible());
    EXPECT_FALSE(in<QWidget>(main(), MainControl::Recurse)->isVisible());
    EXPECT_FALSE(in<QWidget>(main(), MainControl::Filter)->isVisible());

    // The same language again: the texts stay, and the mode is left.
    press(main().modeButton(CompareMode::FilesWithDirectory));
    {
        const auto same = choose(4);
        clickIn(main(), MainControl::Language);
        EXPECT_EQ(preselected_, 4);
    }
    expectLanguage(kDanish);
    for (const CompareMode mode : {CompareMode::FileWithFile, CompareMode::FilesWithDirectory,
                                   CompareMode::DirectoryWithDirectory}) {
        EXPECT_FALSE(main().modeButton(mode)->isChecked()) << static_cast<int>(mode);
    }
}

TEST_F(ProgramTest, SwitchingAfterARunKeepsTheOldLinesAndTheNextRunWritesTheNewLanguage) {
    tree_.write("work/a.txt", "one");
    tree_.write("work/b.txt", "two");
    writeSettings("\"Language\"=dword:00000001\n");
    makeProgram();
    activate();
    const auto run = [this] {
        press(main().modeButton(CompareMode::FileWithFile));
        selectRows(MainControl::LeftFiles, {0});
        selectRows(MainControl::RightFiles, {1});
        clickIn(main(), MainControl::Start);
    };
    run();
    const std::vector<std::string> english = reportLines();
    ASSERT_FALSE(english.empty());
    EXPECT_EQ(english[0], message(kEnglish, MessageKey::hdrFileCompare) + " " + work() + "/a.txt");

    const auto danish = choose(4);
    clickIn(main(), MainControl::Language);
    EXPECT_EQ(reportLines(), english);
    expectLanguage(kDanish);
    EXPECT_EQ(saveDialogTitle(), ui(kDanish, UiKey::dlgSaveTitle));

    run();
    EXPECT_EQ(reportLines()[0],
              message(kDanish, MessageKey::hdrFileCompare) + " " + work() + "/a.txt");
}

TEST_F(ProgramTest, AStoredValueThatIsNotALanguageSetsNoHelpAndOffersNoChooser) {
    writeSettings("\"Language\"=dword:00000009\n");
    makeProgram();
    {
        const auto chooserShown = choose(std::nullopt);
        activate();
        EXPECT_EQ(chooserShown->times, 0);
    }
    EXPECT_EQ(mainLabel(MainControl::LeftHeading), ui(kItalian, UiKey::uiCompareThis));
    EXPECT_EQ(reportWindow().windowTitle(), ui(kItalian, UiKey::uiReportCaption));
    expectHelpFiles("");
    clickIn(main(), MainControl::Help);
    EXPECT_FALSE(program_->helpWindow().isVisible());

    const auto closed = choose(std::nullopt);
    clickIn(main(), MainControl::Language);
    EXPECT_EQ(preselected_, 5);
    EXPECT_EQ(main().currentLanguage(), 9);
}

TEST_F(ProgramTest, ANegativeStoredValueOffersNoChooserAndPreselectsNothing) {
    writeSettings("\"Language\"=dword:000000fe\n"); // -2 as a signed byte
    makeProgram();
    {
        const auto chooserShown = choose(std::nullopt);
        activate();
        EXPECT_EQ(chooserShown->times, 0);
    }
    EXPECT_EQ(main().currentLanguage(), -2);
    const auto closed = choose(std::nullopt);
    clickIn(main(), MainControl::Language);
    EXPECT_EQ(preselected_, std::nullopt);
    EXPECT_EQ(main().currentLanguage(), -2);
}

TEST_F(ProgramTest, ViewReportShowsTheReportWindowWithTheLastRunsReport) {
    tree_.write("work/a.txt", "one");
    writeSettings("\"Language\"=dword:00000001\n");
    makeProgram();
    activate();
    press(main().modeButton(CompareMode::FileWithFile));
    selectRows(MainControl::LeftFiles, {0});
    selectRows(MainControl::RightFiles, {0});
    clickIn(main(), MainControl::Start);
    ASSERT_GT(report_.count(), 0U);

    std::vector<QString> shown;
    bool modal = false;
    const WhenShown whenShown(reportWindow(), [&] {
        auto* view = in<ReportView>(reportWindow(), ReportControl::Report);
        for (qsizetype i = 0; i < view->lineCount(); ++i) {
            shown.push_back(view->lineText(i));
        }
        modal = reportWindow().isModal();
        clickIn(reportWindow(), ReportControl::Close);
    });
    clickIn(main(), MainControl::ViewReport);
    EXPECT_TRUE(modal);
    EXPECT_FALSE(reportWindow().isVisible());
    ASSERT_EQ(shown.size(), report_.count());
    EXPECT_EQ(shown[0].toStdString(), report_.line(0));
}

TEST_F(ProgramTest, ClosingWritesTheReportWindowsBoundsStateAndFont) {
    writeSettings("\"Language\"=dword:00000001\n"
                  "\"Form2Top\"=dword:00000030\n\"Form2Left\"=dword:00000040\n"
                  "\"Form2Width\"=dword:00000280\n\"Form2Height\"=dword:000001e0\n"
                  "\"Form2Maximized\"=dword:00000000\n"
                  "\n[HKEY_CURRENT_USER\\Software\\Quorvel\\ReportFont]\n"
                  "\"Color\"=dword:000000ff\n\"Height\"=dword:fffffff0\n"
                  "\"Name\"=\"DejaVu Sans Mono\"\n\"Size\"=dword:0000000c\n"
                  "\"Bold\"=dword:00000001\n\"Italic\"=dword:00000000\n"
                  "\"Underline\"=dword:00000000\n\"StrikeOut\"=dword:00000001\n");
    makeProgram();
    activate();
    EXPECT_TRUE(main().close());
    const QByteArray stored = settingsBytes();
    for (const char* value :
         {"\"Form2Top\"=dword:00000030\n", "\"Form2Left\"=dword:00000040\n",
          "\"Form2Width\"=dword:00000280\n", "\"Form2Height\"=dword:000001e0\n",
          "\"Form2Maximized\"=dword:00000000\n", "\"Language\"=dword:00000001\n",
          "[HKEY_CURRENT_USER\\Software\\Quorvel\\ReportFont]\n\"Color\"=dword:000000ff\n"
          "\"Height\"=dword:fffffff0\n\"Name\"=\"DejaVu Sans Mono\"\n\"Size\"=dword:0000000c\n"
          "\"Bold\"=dword:00000001\n\"Italic\"=dword:00000000\n"
          "\"Underline\"=dword:00000000\n\"StrikeOut\"=dword:00000001\n"}) {
        EXPECT_TRUE(stored.contains(value)) << value << "\nin\n" << stored.toStdString();
    }
}

TEST_F(ProgramTest, TheReportWindowsFailuresGoToTheStandardErrorDisplay) {
    makeProgram();
    reportWindow().hooks().showError(&reportWindow(), QStringLiteral("disk full"));
    ASSERT_EQ(dialogs_.boxes.size(), 1U);
    EXPECT_EQ(dialogs_.boxes[0].kind, RecordingDialogs::Box::Kind::Failure);
    EXPECT_EQ(dialogs_.boxes[0].text, QStringLiteral("disk full"));
}

TEST(ProgramIconTest, ThePictureIsShippedWithTheProgram) {
    const QIcon icon = programIcon();
    ASSERT_FALSE(icon.isNull());
    EXPECT_EQ(icon.pixmap(48, 48).size(), QSize(48, 48));
}

} // namespace
} // namespace quorvel::test
