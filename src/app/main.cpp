#include "app/PlaceholderReportWindow.h"
#include "engine/PosixFileAccess.h"
#include "engine/Report.h"
#include "gui/MainWindow.h"
#include "gui/StandardDialogs.h"
#include "lang/LanguageStrings.h"
#include "settings/SettingsStore.h"

#include <QApplication>

#include <exception>
#include <memory>

using namespace quorvel;

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    // The task bar's name and the standard error display's caption; no display name is set, so
    // that window captions stay exactly as they are.
    QApplication::setApplicationName(QStringLiteral("Quorvel 2.1"));
    // Closing the main window ends the program, whatever else is open.
    QApplication::setQuitOnLastWindowClosed(false);

    StandardDialogs dialogs;
    LanguageStrings strings;
    Report report;
    PosixFileAccess files;
    SettingsStore settings;
    std::unique_ptr<MainWindow> mainWindow;
    std::unique_ptr<PlaceholderReportWindow> reportWindow;
    try {
        mainWindow = std::make_unique<MainWindow>(strings, report, files, settings, dialogs);
        const MainWindow* window = mainWindow.get();
        reportWindow = std::make_unique<PlaceholderReportWindow>(
            settings, [window] { return window->currentLanguage(); }, mainWindow.get());
        mainWindow->setReportDisplay(*reportWindow);
    } catch (const std::exception& failure) {
        dialogs.showFailure(nullptr, QString::fromUtf8(failure.what()));
        return 1;
    }
    QObject::connect(mainWindow.get(), &MainWindow::closed, &application, &QApplication::quit,
                     Qt::QueuedConnection);
    mainWindow->showAtStart();
    return QApplication::exec();
}
