#pragma once

#include "gui/HelpWindow.h"

#include <QString>

#include <memory>

namespace quorvel {

class Dialogs;
class FileAccess;
class LanguageChooser;
class LanguageStrings;
class MainWindow;
class Report;
class ReportWindow;
class SettingsStore;

// The program's windows, made in their order and wired together: the main window, the report
// window, the language chooser, and one help window for the program's life.
class ProgramWindows {
public:
    // Each window reads its settings as it is made; throws SettingsError when a stored value has
    // the wrong type. Failures inside the report window go to `dialogs`' standard error display.
    ProgramWindows(LanguageStrings& strings, Report& report, FileAccess& files,
                   SettingsStore& settings, Dialogs& dialogs,
                   QString installedHelpFolder = HelpWindow::defaultInstalledHelpFolder());
    ~ProgramWindows();

    MainWindow& mainWindow() const { return *mainWindow_; }
    ReportWindow& reportWindow() const { return *reportWindow_; }
    LanguageChooser& chooser() const { return *chooser_; }
    HelpWindow& helpWindow() const { return *helpWindow_; }

private:
    std::unique_ptr<MainWindow> mainWindow_;
    ReportWindow* reportWindow_ = nullptr; // owned by the main window
    LanguageChooser* chooser_ = nullptr;   // owned by the main window
    std::unique_ptr<HelpWindow> helpWindow_;
};

} // namespace quorvel
