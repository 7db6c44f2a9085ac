#include "gui/ProgramWindows.h"

#include "gui/ApplicationHelpFile.h"
#include "gui/Dialogs.h"
#include "gui/LanguageChooser.h"
#include "gui/MainWindow.h"
#include "gui/ReportWindow.h"
#include "settings/ReportWindowSettings.h"

namespace quorvel {

ProgramWindows::ProgramWindows(LanguageStrings& strings, Report& report, FileAccess& files,
                               SettingsStore& settings, Dialogs& dialogs,
                               QString installedHelpFolder) {
    // No help until a language is applied.
    setApplicationHelpFile({});
    mainWindow_ = std::make_unique<MainWindow>(strings, report, files, settings, dialogs);
    MainWindow& main = *mainWindow_;

    const ReportWindowSettings stored =
        readReportWindowSettings(settings, ReportWindow::screenPixelsPerInch());
    reportWindow_ = new ReportWindow(report, strings, stored, &main);
    reportWindow_->hooks().showError = [&dialogs](QWidget* parent, const QString& message) {
        dialogs.showFailure(parent, message);
    };
    main.setReportDisplay(*reportWindow_);

    chooser_ = new LanguageChooser(&main);
    main.setLanguageChooser(*chooser_);

    helpWindow_ = std::make_unique<HelpWindow>(strings, std::move(installedHelpFolder));
    HelpWindow* help = helpWindow_.get();
    QObject::connect(&main, &MainWindow::helpRequested, help, [help, &main](int topic) {
        help->showHelp(helpFileInForce(main.helpFile()), topic);
    });
    ReportWindow* reportWindow = reportWindow_;
    QObject::connect(reportWindow, &ReportWindow::helpRequested, help,
                     [help, reportWindow](int topic) {
                         help->showHelp(helpFileInForce(reportWindow->helpFile()), topic);
                     });
}

// The help window goes first: the main window takes the report window and the chooser with it.
ProgramWindows::~ProgramWindows() {
    helpWindow_.reset();
    mainWindow_.reset();
}

} // namespace quorvel
