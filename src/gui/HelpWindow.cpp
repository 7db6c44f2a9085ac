#include "gui/HelpWindow.h"

#include "gui/QtText.h"
#include "lang/HelpFilePath.h"
#include "lang/LanguageStrings.h"

#include <QCoreApplication>
#include <QDir>
#include <QTextBrowser>
#include <QTextFrame>
#include <QUrl>
#include <QVBoxLayout>

#include <utility>

namespace quorvel {

HelpWindow::HelpWindow(const LanguageStrings& strings, QString installedHelpFolder, QWidget* parent)
    : QWidget(parent, Qt::Window), strings_(strings),
      installedHelpFolder_(std::move(installedHelpFolder)), browser_(new QTextBrowser(this)) {
    setObjectName("HelpWindow");
    browser_->setObjectName("HelpBrowser");
    // Links leave the help only through a browser of the user's choice, never inside this window.
    browser_->setOpenExternalLinks(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(browser_);
    resize(640, 560);
    connect(browser_, &QTextBrowser::sourceChanged, this, &HelpWindow::pageShown);
}

QString HelpWindow::defaultInstalledHelpFolder() {
    return QDir::cleanPath(QCoreApplication::applicationDirPath() + "/../share/quorvel/help");
}

void HelpWindow::showHelp(const std::string& helpFile, int topic) {
    if (helpFile.empty()) {
        return;
    }
    // Shown first, so that the page is laid out for the window's real size.
    show();
    raise();
    activateWindow();
    const std::vector<std::string> candidates =
        helpFileCandidates(helpFile, toBytes(installedHelpFolder_));
    const std::optional<std::string> found = findHelpFile(candidates);
    if (!found) {
        showMissing(candidates);
        return;
    }
    QUrl page = QUrl::fromLocalFile(toQString(*found));
    page.setFragment(QString::number(topic));
    browser_->setSource(page);
    pageShown();
}

void HelpWindow::showMissing(const std::vector<std::string>& pathsLookedFor) {
    QString text =
        "<p>" + toQString(strings_.text(MessageKey::errHelpNotFound)).toHtmlEscaped() + "</p>";
    for (const std::string& path : pathsLookedFor) {
        text += "<p><tt>" + toQString(path).toHtmlEscaped() + "</tt></p>";
    }
    browser_->setHtml(text);
    browser_->setAccessibleName(toQString(strings_.text(MessageKey::errHelpNotFound)));
    setWindowTitle(QString());
}

void HelpWindow::pageShown() {
    setWindowTitle(browser_->documentTitle());
    browser_->setAccessibleName(browser_->documentTitle());
    // Room below the end of the page, so that the last topic too starts at the top of the view.
    QTextFrame* page = browser_->document()->rootFrame();
    QTextFrameFormat format = page->frameFormat();
    format.setBottomMargin(browser_->viewport()->height());
    page->setFrameFormat(format);
    const QString anchor = browser_->source().fragment();
    if (!anchor.isEmpty()) {
        browser_->scrollToAnchor(anchor);
    }
}

} // namespace quorvel
