#pragma once

#include <QString>
#include <QWidget>

#include <string>
#include <vector>

class QTextBrowser;

namespace quorvel {

class LanguageStrings;

// The help viewer: one window beside the program that shows a help page at a topic's anchor and
// follows the links inside the help.
class HelpWindow : public QWidget {
    Q_OBJECT

public:
    // `installedHelpFolder` is where an installed copy of the help lives; a help file that is not
    // where its path says is also looked for there by name.
    explicit HelpWindow(const LanguageStrings& strings,
                        QString installedHelpFolder = defaultInstalledHelpFolder(),
                        QWidget* parent = nullptr);

    // Opens `helpFile` at the anchor of `topic` (100, 200, 300) and brings the window forward. An
    // empty path does nothing; a file found nowhere is said so in the window, with the paths looked
    // for.
    void showHelp(const std::string& helpFile, int topic);

    QTextBrowser* browser() const { return browser_; }

    // The help folder of an installed program, found from the program file's own folder.
    static QString defaultInstalledHelpFolder();

private:
    void showMissing(const std::vector<std::string>& pathsLookedFor);
    void pageShown();

    const LanguageStrings& strings_;
    QString installedHelpFolder_;
    QTextBrowser* browser_;
};

} // namespace quorvel
