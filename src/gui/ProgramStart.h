#pragma once

#include "gui/HelpWindow.h"
#include "gui/ProgramWindows.h"

#include <QString>

#include <memory>

namespace quorvel {

class Dialogs;
class FileAccess;
class LanguageStrings;
class Report;
class SettingsStore;

// Makes the program's windows. A stored value that cannot be read is shown with its message and
// the settings file's name, and the user may start without it (once for each such value). Empty
// when the user declines or another failure stops the start; that failure has been shown.
std::unique_ptr<ProgramWindows>
startProgramWindows(LanguageStrings& strings, Report& report, FileAccess& files,
                    SettingsStore& settings, Dialogs& dialogs,
                    QString installedHelpFolder = HelpWindow::defaultInstalledHelpFolder());

} // namespace quorvel
