#include "engine/CurrentDirectory.h"
#include "gui/ReportView.h"
#include "gui/ReportWindowFixture.h"
#include "report/AtomicFileWriter.h"
#include "support/TempTree.h"

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>

#include <cerrno>
#include <optional>

#include <sys/stat.h>
#include <unistd.h>

namespace quorvel::test {
namespace {

// The buttons along the bottom, as they stand from the left.
constexpr ReportControl kButtonsLeftToRight[] = {ReportControl::Close, ReportControl::Html,
                                                 ReportControl::Print, ReportControl::Save,
                                                 ReportControl::Font,  ReportControl::Restore};

class ReportWindowTest : public ReportWindowFixture {
protected:
    ReportView* view() const { return child<ReportView>(ReportControl::Report); }
    QString accessibleText() const {
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(view());
        QAccessibleTextInterface* text = accessible ? accessible->textInterface() : nullptr;
        return text ? text->text(0, text->characterCount()) : QStringLiteral("<no text interface>");
    }
    static std::string head(const std::string& text) { return text.substr(0, 14); }
};

TEST_F(ReportWindowTest, FormHasTheDesignedControlsInTheirOrder) {
    EXPECT_EQ(window_->objectName(), formName(ReportControl::Window));
    EXPECT_EQ(window_->windowTitle(), "Rapporto");
    EXPECT_TRUE(window_->windowFlags() & Qt::WindowMaximizeButtonHint);
    window_->applyInterfaceTexts(kEnglish); // captions that fit the designed buttons
    int left = 8;
    for (const ReportControl name : kButtonsLeftToRight) {
        SCOPED_TRACE(name);
        ASSERT_NE(child(name), nullptr);
        EXPECT_EQ(child(name)->geometry(), QRect(left, 7, 75, 28));
        left += 90;
    }
    EXPECT_EQ(child<QToolButton>(ReportControl::Help)->geometry(), QRect(548, 7, 28, 28));
    EXPECT_FALSE(child<QToolButton>(ReportControl::Help)->icon().isNull());

    window_->show();
    window_->resize(800, 500);
    EXPECT_EQ(child<QWidget>(ReportControl::ButtonStrip)->geometry(), QRect(0, 459, 800, 41));
    EXPECT_EQ(view()->geometry(), QRect(0, 0, 800, 459));
    window_->resize(500, 300); // the gaps narrow
    EXPECT_EQ(child<QToolButton>(ReportControl::Help)->geometry(),
              QRect(8 + 6 * (75 + 3), 7, 28, 28));

    // Keyboard order: Button1 to Button6, then the text.
    QWidget* w = child(ReportControl::Close);
    QStringList order;
    for (int i = 0; i < 7; ++i, w = w->nextInFocusChain()) {
        order << w->objectName();
    }
    QStringList expected;
    for (const ReportControl control :
         {ReportControl::Close, ReportControl::Print, ReportControl::Save, ReportControl::Font,
          ReportControl::Restore, ReportControl::Html, ReportControl::Report}) {
        expected << formName(control);
    }
    EXPECT_EQ(order, expected);
}

TEST_F(ReportWindowTest, LanguageTextsReachCaptionsHintsAndAccessibleNames) {
    window_->applyInterfaceTexts(kDanish);
    EXPECT_EQ(window_->windowTitle(), "Rapport");
    EXPECT_EQ(view()->accessibleName(), "Rapport");
    EXPECT_EQ(child(ReportControl::Close)->text(), "Luk");
    EXPECT_EQ(child(ReportControl::Font)->accessibleName(), "Skrifttype...");
    EXPECT_EQ(child(ReportControl::Html)->text(), "HTML");
    EXPECT_EQ(child(ReportControl::Html)->accessibleName(), "HTML");
    EXPECT_EQ(child<QToolButton>(ReportControl::Help)->toolTip(), QString::fromUtf8("Hjælp"));
    EXPECT_EQ(child<QToolButton>(ReportControl::Help)->accessibleName(),
              QString::fromUtf8("Hjælp"));

    addLines({"a"});
    saveAnswer_.reset();
    window_->Button3Click();
    ASSERT_EQ(saveRequests_.size(), 1u);
    EXPECT_EQ(saveRequests_[0].title, "Gem rapport...");
    EXPECT_EQ(saveRequests_[0].nameFilters,
              QStringList({"Tekstfil (txt) (*.txt)", "HTML (*.html)",
                           "JSON Lines til scripts (JSONL) (*.jsonl)"}));

    // A longer caption widens its button and moves the others along; none is cut.
    window_->applyInterfaceTexts(kGerman);
    int right = 0;
    for (const ReportControl name : kButtonsLeftToRight) {
        SCOPED_TRACE(name);
        EXPECT_GE(child(name)->width(),
                  child(name)->fontMetrics().horizontalAdvance(child(name)->text()) + 8);
        EXPECT_GT(child(name)->x(), right);
        right = child(name)->geometry().right();
    }
    EXPECT_GT(child<QToolButton>(ReportControl::Help)->x(), right);

    window_->applyInterfaceTexts(77); // not a language: nothing changes
    EXPECT_EQ(window_->windowTitle(), "Report");
}

TEST_F(ReportWindowTest, HelpPictureAndF1AskForTopic300) {
    QSignalSpy spy(window_.get(), &ReportWindow::helpRequested);
    child<QToolButton>(ReportControl::Help)->click();
    window_->show();
    QApplication::setActiveWindow(window_.get());
    QTest::keyClick(view(), Qt::Key_F1);
    ASSERT_EQ(spy.count(), 2);
    EXPECT_EQ(spy[0][0].toInt(), 300);
    EXPECT_EQ(spy[1][0].toInt(), 300);
}

TEST_F(ReportWindowTest, ShowsTheLastRunsReportAndKeepsAnUnchangedOne) {
    addLines({"first run", "", "bad \xff name"});
    window_->show();
    EXPECT_EQ(accessibleText(), QString::fromUtf8("first run\n\nbad \xEF\xBF\xBD name"));

    view()->setSelection({0, 0}, {0, 5});
    window_->hide();
    window_->show();
    EXPECT_EQ(view()->selectedText(), "first"); // unchanged report: left alone

    window_->hide();
    report_.clear();
    addLines({"second run"});
    window_->show();
    EXPECT_EQ(accessibleText(), "second run");
    EXPECT_FALSE(view()->hasSelection());
}

TEST_F(ReportWindowTest, TextCanBeSelectedAndCopiedButNotChanged) {
    addLines({"alpha", "beta", "gamma"});
    window_->show();
    view()->setFocus();
    QTest::keyClick(view(), Qt::Key_Down);
    QTest::keyClick(view(), Qt::Key_End);
    QTest::keyClick(view(), Qt::Key_Down, Qt::ShiftModifier);
    QTest::keyClick(view(), Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), "\ngamm");
    QTest::keyClicks(view(), "xyz");
    QTest::keyClick(view(), Qt::Key_Delete);
    EXPECT_EQ(accessibleText(), "alpha\nbeta\ngamma");

    // The mouse: a click places, a shift-click extends, a double click takes the line.
    const int row = view()->lineHeight();
    QTest::mouseClick(view()->viewport(), Qt::LeftButton, {}, QPoint(1, row / 2));
    QTest::mouseClick(view()->viewport(), Qt::LeftButton, Qt::ShiftModifier,
                      QPoint(300, row + row / 2));
    EXPECT_EQ(view()->selectedText(), "alpha\nbeta");
    QTest::mouseDClick(view()->viewport(), Qt::LeftButton, {}, QPoint(3, 2 * row + row / 2));
    EXPECT_EQ(view()->selectedText(), "gamma");

    QTest::keyClick(view(), Qt::Key_A, Qt::ControlModifier);
    view()->copy();
    EXPECT_EQ(QApplication::clipboard()->text(), "alpha\nbeta\ngamma");
}

TEST_F(ReportWindowTest, AnEmptyReportOpensNoSaveNoPrintNoPage) {
    window_->Button3Click();
    window_->Button2Click();
    window_->Button6Click();
    EXPECT_TRUE(saveRequests_.empty());
    EXPECT_EQ(printDialogs_, 0);
    EXPECT_TRUE(opened_.empty());
    EXPECT_EQ(tree_.listing(), "");
    window_->Button4Click();
    window_->Button5Click();
    EXPECT_EQ(fontDialogs_.size(), 1u);
    EXPECT_EQ(questions_.size(), 1u);
}

TEST_F(ReportWindowTest, TheEntryDecidesTheFormatAndABareNameGetsItsExtension) {
    addLines({"line one", ">>>> b\xff.dat   differ"});
    saveAnswer_ = SaveChoice{QString::fromStdString(tree_.path("report.txt")), 1};
    window_->Button3Click();
    EXPECT_EQ(head(tree_.read("report.txt")), "<html>\r\n<head>");

    saveAnswer_ = SaveChoice{QString::fromStdString(tree_.path("page.html")), 0};
    window_->Button3Click();
    EXPECT_EQ(tree_.read("page.html"), "line one\r\n>>>> b\xff.dat   differ\r\n"); // real bytes

    saveAnswer_ = SaveChoice{QString::fromStdString(tree_.path("bare")), 0};
    window_->Button3Click();
    saveAnswer_ = SaveChoice{QString::fromStdString(tree_.path("bare")), 1};
    window_->Button3Click();
    EXPECT_EQ(tree_.listing(), "bare.html bare.txt page.html report.txt");
    EXPECT_TRUE(errors_.empty());

    // The dialog starts with no name and the text entry, then with the last choice.
    ASSERT_EQ(saveRequests_.size(), 4u);
    EXPECT_EQ(saveRequests_[0].fileName, "");
    EXPECT_EQ(saveRequests_[0].entry, 0);
    EXPECT_EQ(saveRequests_[1].fileName, QString::fromStdString(tree_.path("report.txt")));
    EXPECT_EQ(saveRequests_[1].entry, 1);
    EXPECT_EQ(saveRequests_[3].fileName, QString::fromStdString(tree_.path("bare.txt")));
    EXPECT_EQ(saveRequests_[0].nameFilters,
              QStringList({"File di testo (TXT) (*.txt)", "HTML (*.html)",
                           "JSON Lines per script (JSONL) (*.jsonl)"}));
    EXPECT_EQ(saveRequests_[0].extensions, QStringList({"txt", "html", "jsonl"}));

    saveAnswer_.reset(); // cancelled: nothing written, nothing shown
    window_->Button3Click();
    EXPECT_EQ(tree_.listing(), "bare.html bare.txt page.html report.txt");
}

TEST_F(ReportWindowTest, AFailedSaveKeepsTheEarlierFileAndSaysWhy) {
    addLines({"new"});
    tree_.write("old.txt", "earlier");
    tree_.write("plain", "a file, not a directory");
    saveAnswer_ = SaveChoice{QString::fromStdString(tree_.path("plain/report.txt")), 0};
    window_->Button3Click();
    ASSERT_EQ(errors_.size(), 1u);
    EXPECT_TRUE(
        errors_[0].startsWith(QString::fromStdString(tree_.path("plain/report.txt")) + ": "))
        << errors_[0].toStdString();

    // A read-only directory; root writes anyway, so only others can see it fail.
    if (::geteuid() != 0) {
        tree_.mkdir("locked");
        ::chmod(tree_.path("locked").c_str(), 0555);
        saveAnswer_ = SaveChoice{QString::fromStdString(tree_.path("locked/report.txt")), 0};
        window_->Button3Click();
        ::chmod(tree_.path("locked").c_str(), 0755);
        ASSERT_EQ(errors_.size(), 2u);
        EXPECT_EQ(tree_.listing("locked"), "");
        errors_.pop_back();
    }

    // A full disk, text, HTML and JSON alike.
    window_->setFileWriter(AtomicFileWriter([](int, const char*, std::size_t) -> ssize_t {
        errno = ENOSPC;
        return -1;
    }));
    for (int entry : {0, 1, 2}) {
        saveAnswer_ = SaveChoice{QString::fromStdString(tree_.path("old.txt")), entry};
        window_->Button3Click();
    }
    ASSERT_EQ(errors_.size(), 4u);
    EXPECT_TRUE(errors_[2].endsWith(QString::fromLocal8Bit(std::strerror(ENOSPC))))
        << errors_[2].toStdString();
    EXPECT_EQ(tree_.read("old.txt"), "earlier");
    EXPECT_EQ(report_.count(), 1u);
}

TEST_F(ReportWindowTest, HtmlViewWritesThePageEachTimeInAFolderOfItsOwnAndOpensIt) {
    addLines({"one"});
    window_->Button6Click();
    const std::string page = tree_.path("Quorvel/temp.html");
    EXPECT_EQ(head(tree_.read("Quorvel/temp.html")), "<html>\r\n<head>");
    struct stat folder {};
    ASSERT_EQ(::stat(tree_.path("Quorvel").c_str(), &folder), 0);
    EXPECT_EQ(folder.st_mode & 0777, 0700u);
    QFile::remove(QString::fromStdString(page));
    window_->Button6Click();
    EXPECT_EQ(head(tree_.read("Quorvel/temp.html")), "<html>\r\n<head>");
    EXPECT_EQ(opened_, std::vector<QString>(2, QString::fromStdString(page)));
    EXPECT_TRUE(errors_.empty());
}

TEST_F(ReportWindowTest, HtmlViewNeverTouchesAFileItDidNotMake) {
    addLines({"fresh"});
    // The user's own page in the working folder, and one a link in our folder leads to.
    const std::string previous = currentDirectory().value_or("/");
    ASSERT_EQ(::chdir(tree_.root().c_str()), 0);
    tree_.write("temp.html", "<p>mine</p>");
    tree_.write("notes/page.html", "<p>also mine</p>");
    tree_.mkdir("Quorvel");
    ::chmod(tree_.path("Quorvel").c_str(), 0755);
    tree_.symlink(tree_.path("notes/page.html"), "Quorvel/temp.html");
    window_->Button6Click();
    ASSERT_EQ(::chdir(previous.c_str()), 0);
    EXPECT_EQ(tree_.read("temp.html"), "<p>mine</p>");
    EXPECT_EQ(tree_.read("notes/page.html"), "<p>also mine</p>");
    struct stat page {};
    ASSERT_EQ(::lstat(tree_.path("Quorvel/temp.html").c_str(), &page), 0);
    EXPECT_TRUE(S_ISREG(page.st_mode));
    EXPECT_NE(tree_.read("Quorvel/temp.html").find("fresh"), std::string::npos);
    struct stat folder {};
    ASSERT_EQ(::stat(tree_.path("Quorvel").c_str(), &folder), 0);
    EXPECT_EQ(folder.st_mode & 0777, 0700u); // closed again
    EXPECT_TRUE(errors_.empty());
}

TEST_F(ReportWindowTest, HtmlViewRefusesAFolderThatIsALinkOrNoFolder) {
    addLines({"x"});
    struct Row {
        const char* name;
        std::function<void(const std::string& base)> makeFolder;
    };
    const std::vector<Row> rows = {
        {"a link to a folder",
         [this](const std::string& base) {
             tree_.mkdir("elsewhere");
             tree_.symlink(tree_.path("elsewhere"), base + "/Quorvel");
         }},
        {"a file", [this](const std::string& base) { tree_.write(base + "/Quorvel", "a file"); }},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        errors_.clear();
        opened_.clear();
        const std::string base = std::string("base-") + std::to_string(&row - rows.data());
        tree_.mkdir(base);
        row.makeFolder(base);
        window_->setPageBaseDirectory(QString::fromStdString(tree_.path(base)));
        window_->Button6Click();
        EXPECT_TRUE(opened_.empty());
        ASSERT_EQ(errors_.size(), 1u);
        EXPECT_TRUE(errors_[0].startsWith(
            QString::fromStdString(tree_.path(base + "/Quorvel/temp.html") + ": ")))
            << errors_[0].toStdString();
    }
    EXPECT_EQ(tree_.listing("elsewhere"), "");
}

TEST_F(ReportWindowTest, StoredBoundsApplyAndAreHandedBack) {
    const WindowBounds unplaced = window_->closingBounds();
    struct Place {
        const char* name;
        std::optional<int> top;
        std::optional<int> left;
    };
    for (const Place place : {Place{"Both", 40, 30}, Place{"TopOnly", 40, std::nullopt},
                              Place{"LeftOnly", std::nullopt, 30}}) {
        SCOPED_TRACE(place.name);
        ReportWindowSettings settings;
        settings.top = place.top;
        settings.left = place.left;
        settings.width = 700;
        settings.height = 200;
        makeWindow(settings);
        const WindowBounds bounds = window_->closingBounds();
        EXPECT_EQ(bounds.top, place.top.value_or(unplaced.top));
        EXPECT_EQ(bounds.left, place.left.value_or(unplaced.left));
        EXPECT_EQ(bounds.width, 700);
        EXPECT_EQ(bounds.height, 200);
        EXPECT_FALSE(window_->closingMaximized());
    }

    ReportWindowSettings settings;
    settings.maximized = true;
    makeWindow(settings);
    EXPECT_TRUE(window_->closingMaximized());
}

// Wide characters in a line shorter in bytes than those measured: painting it widens the view.
TEST_F(ReportWindowTest, ALineWiderThanItsBytesTellWidensTheViewOncePainted) {
    report_.appendReportLine(std::string(150, 'W'));
    for (int i = 0; i < 100; ++i) {
        report_.appendReportLine(std::string(200, 'i'));
    }
    addLines({"x"});
    window_->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window_.get()));
    view()->viewport()->repaint();
    const QScrollBar* bar = view()->horizontalScrollBar();
    EXPECT_GE(bar->maximum() + view()->viewport()->width(),
              view()->fontMetrics().horizontalAdvance(QString(150, QLatin1Char('W'))));
}

TEST_F(ReportWindowTest, TheWidestLineCanBeScrolledToBeforeItWasEverInView) {
    for (int i = 0; i < 300; ++i) {
        report_.appendReportLine("short " + std::to_string(i));
    }
    report_.appendReportLine(std::string(300, 'W')); // far below the first page
    addLines({"x", "y"});
    window_->show();
    const QScrollBar* bar = view()->horizontalScrollBar();
    EXPECT_GE(bar->maximum() + view()->viewport()->width(),
              view()->fontMetrics().horizontalAdvance(QString(300, QLatin1Char('W'))));
}

// Each key from a place in the report, where the cursor lands, and that it is in view. The rows
// run in order: each starts from the scroll position the one before left.
TEST_F(ReportWindowTest, TheKeysMoveTheCursorAcrossLinesAndKeepItInView) {
    for (int i = 0; i < 200; ++i) {
        report_.appendReportLine("line " + std::to_string(i)); // "line 0" to "line 199"
    }
    window_->show();
    view()->setFocus();
    const qsizetype page = view()->viewport()->height() / view()->lineHeight();
    const struct {
        const char* name;
        TextPosition from;
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        TextPosition to;
    } rows[] = {
        {"left in a line", {1, 3}, Qt::Key_Left, {}, {1, 2}},
        {"left at a line's start", {1, 0}, Qt::Key_Left, {}, {0, 6}},
        {"right at a line's end", {0, 6}, Qt::Key_Right, {}, {1, 0}},
        {"home", {3, 4}, Qt::Key_Home, {}, {3, 0}},
        {"end", {3, 1}, Qt::Key_End, {}, {3, 6}},
        {"down past the page", {page - 1, 0}, Qt::Key_Down, {}, {page, 0}},
        {"end of the text", {3, 1}, Qt::Key_End, Qt::ControlModifier, {199, 8}},
        {"up above the page", {10, 0}, Qt::Key_Up, {}, {9, 0}},
        {"start of the text", {50, 2}, Qt::Key_Home, Qt::ControlModifier, {0, 0}},
        {"page down", {2, 0}, Qt::Key_PageDown, {}, {2 + page, 0}},
        {"page up", {150, 0}, Qt::Key_PageUp, {}, {150 - page, 0}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        view()->setSelection(row.from, row.from);
        QTest::keyClick(view(), row.key, row.modifiers);
        EXPECT_EQ(view()->cursorPosition(), row.to);
        EXPECT_TRUE(view()->viewport()->rect().contains(view()->characterRect(row.to)));
    }
    // The scroll bar's arrow moves the text by one line.
    view()->verticalScrollBar()->setValue(10);
    view()->verticalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(view()->verticalScrollBar()->value(), 11);
}

// A screen reader reads the selection and the cursor as offsets into the whole text, and can set
// the selection itself; an empty report has no character.
TEST_F(ReportWindowTest, AssistiveToolsReadAndSetTheSelection) {
    window_->show();
    QAccessibleTextInterface* text = QAccessible::queryAccessibleInterface(view())->textInterface();
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->characterCount(), 0);
    EXPECT_EQ(text->cursorPosition(), 0);
    addLines({"alpha", "beta", "gamma"});
    view()->setSelection({1, 2}, {0, 1}); // "lpha\nbe", the cursor at its start
    int start = -1;
    int end = -1;
    ASSERT_EQ(text->selectionCount(), 1);
    text->selection(0, &start, &end);
    EXPECT_EQ(std::pair(start, end), std::pair(1, 8));
    EXPECT_EQ(text->cursorPosition(), 1);
    text->setSelection(0, 11, 14); // "gam"
    EXPECT_EQ(view()->selectedText(), "gam");
    text->setSelection(0, 0, 3);
    EXPECT_EQ(view()->selectedText(), "alp");
    text->removeSelection(0);
    EXPECT_EQ(text->selectionCount(), 0);

    // A caret moved out of sight by the tool is brought into view, as the keyboard's is.
    for (int i = 0; i < 300; ++i) {
        report_.appendReportLine("delta");
    }
    view()->refresh();
    ASSERT_GT(view()->verticalScrollBar()->maximum(), 0);
    ASSERT_EQ(view()->verticalScrollBar()->value(), 0);
    text->setCursorPosition(text->characterCount());
    EXPECT_EQ(view()->verticalScrollBar()->value(), view()->verticalScrollBar()->maximum());
}

} // namespace
} // namespace quorvel::test
