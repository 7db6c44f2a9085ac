#include "gui/HelpWindow.h"

#include "lang/LanguageStrings.h"
#include "support/TempTree.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QFileInfo>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextCursor>
#include <QTextDocument>
#include <gtest/gtest.h>

#include <string>

namespace quorvel {
namespace {

// A page long enough that its later topics lie well below the first screen.
std::string page(const std::string& title, const std::string& body) {
    std::string filler;
    for (int i = 0; i < 80; ++i) {
        filler += "<p>Line " + std::to_string(i) + "</p>\n";
    }
    return "<html><head><meta charset=\"utf-8\"><title>" + title + "</title></head><body>" +
           "<h1><a name=\"100\">Start</a></h1>" + body + filler +
           "<h1><a name=\"200\">Middle</a></h1>" + filler + "<h1><a name=\"300\">End</a></h1>" +
           filler + "</body></html>";
}

std::string shownFile(const HelpWindow& window) {
    return window.browser()->source().toLocalFile().toStdString();
}

void clickLink(QTextBrowser* browser, const QString& label) {
    const QTextCursor link = browser->document()->find(label);
    ASSERT_FALSE(link.isNull()) << label.toStdString();
    QTextCursor inside(link);
    inside.setPosition(link.selectionStart() + 2);
    QTest::mouseClick(browser->viewport(), Qt::LeftButton, {},
                      browser->cursorRect(inside).center());
}

// Stands in for the desktop's browser.
class UrlCatcher : public QObject {
    Q_OBJECT
public:
    QList<QUrl> opened;
public slots:
    void open(const QUrl& url) { opened.append(url); }
};

class HelpWindowTest : public ::testing::Test {
protected:
    HelpWindowTest() { strings_.fillFrom(kEnglish); }

    HelpWindow& window(const std::string& installedFolder = "") {
        window_ = std::make_unique<HelpWindow>(strings_, QString::fromStdString(installedFolder));
        return *window_;
    }

    test::TempTree tree_;
    LanguageStrings strings_;
    std::unique_ptr<HelpWindow> window_;
};

TEST_F(HelpWindowTest, OpensTheFileAtTheTopicsAnchorTitledWithThePage) {
    tree_.write("Help_eng.html", page("Quorvel help", ""));
    HelpWindow& help = window();
    help.showHelp(tree_.path("Help_eng.html"), 200);
    EXPECT_TRUE(help.isVisible());
    EXPECT_FALSE(help.isModal());
    EXPECT_EQ(help.windowTitle(), "Quorvel help");
    EXPECT_EQ(help.browser()->accessibleName(), "Quorvel help");
    EXPECT_EQ(shownFile(help), tree_.path("Help_eng.html"));
    EXPECT_EQ(help.browser()->source().fragment(), "200");
    const int middle = help.browser()->verticalScrollBar()->value();
    EXPECT_GT(middle, 0);

    help.showHelp(tree_.path("Help_eng.html"), 300);
    EXPECT_GT(help.browser()->verticalScrollBar()->value(), middle);
    help.showHelp(tree_.path("Help_eng.html"), 100);
    EXPECT_LT(help.browser()->verticalScrollBar()->value(), middle / 4);
}

TEST_F(HelpWindowTest, TheLastTopicTooStartsAtTheTopOfTheView) {
    std::string shortEnd = page("Short end", "");
    shortEnd.replace(shortEnd.rfind("<h1><a name=\"300\">End</a></h1>"), std::string::npos,
                     "<h1><a name=\"300\">End</a></h1><p>Last words.</p></body></html>");
    tree_.write("short.html", shortEnd);
    HelpWindow& help = window();
    help.showHelp(tree_.path("short.html"), 300);
    QTextBrowser* browser = help.browser();
    const QTextCursor end = browser->document()->find("Last words.");
    ASSERT_FALSE(end.isNull());
    EXPECT_LT(browser->cursorRect(end).top(), browser->viewport()->height() / 4);
}

TEST_F(HelpWindowTest, FollowsALinkToAnotherHelpPage) {
    tree_.write("Help_eng.html", page("First", "<p><a href=\"other.html#300\">Elsewhere</a></p>"));
    tree_.write("other.html", page("Second", ""));
    HelpWindow& help = window();
    help.resize(500, 400);
    help.showHelp(tree_.path("Help_eng.html"), 100);

    QTextBrowser* browser = help.browser();
    clickLink(browser, "Elsewhere");

    EXPECT_EQ(shownFile(help), tree_.path("other.html"));
    EXPECT_EQ(browser->source().fragment(), "300");
    EXPECT_EQ(help.windowTitle(), "Second");
}

TEST_F(HelpWindowTest, ALinkToTheWebOpensInTheBrowserAndThePageStays) {
    tree_.write("Help_eng.html", page("First", "<p><a href=\"https://example.org/x\">Web</a></p>"));
    UrlCatcher browserStandIn;
    QDesktopServices::setUrlHandler("https", &browserStandIn, "open");
    HelpWindow& help = window();
    help.resize(500, 400);
    help.showHelp(tree_.path("Help_eng.html"), 100);
    clickLink(help.browser(), "Web");
    QDesktopServices::unsetUrlHandler("https");
    EXPECT_EQ(browserStandIn.opened, QList<QUrl>{QUrl("https://example.org/x")});
    EXPECT_EQ(shownFile(help), tree_.path("Help_eng.html"));
}

TEST_F(HelpWindowTest, AMissingFileIsSaidInTheWindowWithThePathsLookedFor) {
    tree_.mkdir("installed");
    HelpWindow& help = window(tree_.path("installed"));
    help.showHelp(tree_.path("nowhere/Help_deu.html"), 200);
    EXPECT_TRUE(help.isVisible());
    const QString shown = help.browser()->toPlainText();
    EXPECT_TRUE(shown.contains("The help file was not found.")) << shown.toStdString();
    EXPECT_EQ(help.browser()->accessibleName(), "The help file was not found. Looked for:");
    EXPECT_TRUE(shown.contains(QString::fromStdString(tree_.path("nowhere/Help_deu.html"))));
    EXPECT_TRUE(shown.contains(QString::fromStdString(tree_.path("installed") + "/Help_deu.html")));

    // The message is that of the language in force.
    strings_.fillFrom(kGerman);
    help.showHelp(tree_.path("nowhere/Help_deu.html"), 200);
    EXPECT_TRUE(help.browser()->toPlainText().contains("Die Hilfedatei wurde nicht gefunden."));

    // Once the file is there, the next request shows it.
    tree_.write("nowhere/Help_deu.html", page("Hilfe", ""));
    help.showHelp(tree_.path("nowhere/Help_deu.html"), 200);
    EXPECT_EQ(help.windowTitle(), "Hilfe");
    EXPECT_TRUE(help.browser()->toPlainText().contains("Middle"));
}

TEST_F(HelpWindowTest, AFileThatIsNotThereIsTakenFromTheInstalledFolder) {
    tree_.write("installed/Help_dk.html", page("Hjælp", ""));
    HelpWindow& help = window(tree_.path("installed"));
    help.showHelp(tree_.path("work/Help_dk.html"), 300);
    EXPECT_EQ(shownFile(help), tree_.path("installed/Help_dk.html"));
    EXPECT_EQ(help.windowTitle(), QString::fromUtf8("Hjælp"));
}

TEST_F(HelpWindowTest, TheInstalledFolderIsFoundBesideTheProgram) {
    HelpWindow help(strings_);
    help.showHelp(tree_.path("Help_dk.html"), 300);
    EXPECT_EQ(
        QFileInfo(QString::fromStdString(shownFile(help))).canonicalFilePath(),
        QFileInfo(QCoreApplication::applicationDirPath() + "/../share/quorvel/help/Help_dk.html")
            .canonicalFilePath());
    // The shipped pages are UTF-8.
    EXPECT_EQ(help.windowTitle(), QString::fromUtf8("Quorvel 2.1 Hjælp"));
    EXPECT_TRUE(help.browser()->toPlainText().contains(QString::fromUtf8("Udskriv...")));
}

TEST_F(HelpWindowTest, NoHelpFileDoesNothing) {
    HelpWindow& help = window(tree_.root());
    help.showHelp("", 100);
    EXPECT_FALSE(help.isVisible());
    EXPECT_TRUE(help.browser()->toPlainText().isEmpty());
}

} // namespace
} // namespace quorvel

#include "HelpWindowTest.moc"
