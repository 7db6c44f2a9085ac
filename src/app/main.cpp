#include "app/WindowCommandLine.h"
#include "engine/PosixFileAccess.h"
#include "gui/EndingSignals.h"
#include "gui/GuiImages.h"
#include "gui/MainWindow.h"
#include "gui/ModalClosing.h"
#include "gui/ProgramStart.h"
#include "gui/ProgramWindows.h"
#include "gui/StandardDialogs.h"
#include "lang/LanguageStrings.h"
#include "report/Report.h"
#include "settings/SettingsStore.h"

#include <QApplication>

#include <exception>
#include <memory>
#include <string>
#include <vector>

using namespace quorvel;

int main(int argc, char* argv[]) {
    // Help, the version and a wrong option are answered without a display.
    if (const auto status =
            answerInTerminal(parseWindowCommandLine({argv + 1, argv + argc}, true))) {
        return *status;
    }
    char** const optionsEnd = argv + toolkitArgumentCount(argc, argv);
    std::vector<char*> toolkitArgs(argv, optionsEnd);
    int toolkitCount = static_cast<int>(toolkitArgs.size());
    toolkitArgs.push_back(nullptr);
    QApplication application(toolkitCount, toolkitArgs.data());
    // The toolkit has taken its own options out of its arguments by now.
    std::vector<std::string> args(toolkitArgs.begin() + 1, toolkitArgs.begin() + toolkitCount);
    args.insert(args.end(), optionsEnd, argv + argc);
    const WindowCommandLine commandLine = parseWindowCommandLine(args, false);
    if (const auto status = answerInTerminal(commandLine)) {
        return *status;
    }
    // The task bar's name and the standard error display's caption; no display name is set, so
    // that window captions stay exactly as they are.
    QApplication::setApplicationName(QStringLiteral("Quorvel 2.1"));
    // Task bars match the windows to the desktop entry, and show its icon on every window.
    QGuiApplication::setDesktopFileName(QStringLiteral("quorvel"));
    QApplication::setWindowIcon(programIcon());
    // Closing the main window ends the program, whatever else is open.
    QApplication::setQuitOnLastWindowClosed(false);

    // A logout's SIGTERM closes the main window as the user would, so the settings are kept.
    EndingSignals endingSignals;
    // First of all, a box or window waiting for an answer gives way, from the start's question on.
    QObject::connect(&endingSignals, &EndingSignals::closeRequested, &application,
                     [] { closeModalWindows(); });
    StandardDialogs dialogs;
    LanguageStrings strings;
    Report report;
    PosixFileAccess files;
    SettingsStore settings;
    const std::unique_ptr<ProgramWindows> windows =
        startProgramWindows(strings, report, files, settings, dialogs);
    if (!windows) {
        return 1;
    }
    MainWindow& mainWindow = windows->mainWindow();
    QObject::connect(&mainWindow, &MainWindow::closed, &application, &QApplication::quit,
                     Qt::QueuedConnection);
    QObject::connect(&endingSignals, &EndingSignals::closeRequested, &mainWindow,
                     &MainWindow::closeForSignal);
    mainWindow.openOnOperands(commandLine.operands);
    mainWindow.showAtStart();
    return QApplication::exec();
}
