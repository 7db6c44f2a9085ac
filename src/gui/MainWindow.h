#pragma once

#include "engine/CompareMode.h"
#include "engine/RunRequest.h"
#include "engine/RunState.h"
#include "gui/CommandLineOperands.h"
#include "gui/FileListModel.h"
#include "gui/MainWindowTexts.h"
#include "gui/RunController.h"
#include "gui/WindowPlacer.h"
#include "lang/LanguageId.h"
#include "lang/MessageKey.h"

#include <QWidget>

#include <memory>
#include <optional>
#include <string>
#include <vector>

class QAbstractButton;
class QButtonGroup;
class QLabel;
class QListView;

namespace Ui {
class MainWindow;
}

namespace quorvel {

class Dialogs;
class FileAccess;
class LanguageChooser;
class LanguageStrings;
class OptionControls;
class Report;
class ReportDisplay;
class SettingsStore;

// Form1: the main window. Chooses the mode, the two sides and the options, starts and aborts
// runs, and writes the settings when it closes. Every handler runs through one guard, so a
// failure reaches the standard error display and never the event loop.
class MainWindow : public QWidget {
    Q_OBJECT

public:
    // Reads the window's settings; throws SettingsError when a stored value has the wrong type.
    MainWindow(LanguageStrings& strings, Report& report, FileAccess& files, SettingsStore& settings,
               Dialogs& dialogs, QWidget* parent = nullptr);
    ~MainWindow() override;

    // The report window, made after this one; it is shown by runs and the view-report button and
    // tells what is stored of it at close.
    void setReportDisplay(ReportDisplay& display) { reportDisplay_ = &display; }
    // The language chooser, made after the report window. Without one a first start takes
    // English and the language button applies the language in force again.
    void setLanguageChooser(LanguageChooser& chooser) { chooser_ = &chooser; }

    // Shows the window at its stored place, maximized when it was closed so.
    void showAtStart() { placer_.show(); }
    // A close asked by an ending signal: nothing may wait for a click then, so a failure to save
    // the settings goes to standard error.
    void closeForSignal();
    // The paths of the command line: their directories go to the panels at once, the mode and the
    // selected files once the first activation has put a language in force (which leaves no mode
    // chosen). A path that cannot be read is named in the standard error display then, and the
    // window stays as without operands.
    void openOnOperands(const std::vector<std::string>& paths);

    LanguageId currentLanguage() const { return currentLanguage_; }
    void setCurrentLanguage(LanguageId id) { currentLanguage_ = id; }
    // Puts a language into force: the help file of the application and both windows, the texts
    // of both windows and the message texts, and back to no mode. Any id runs the mode steps;
    // only 1..6 change help files and texts.
    void applyLanguage(LanguageId id);
    // Empty until a language sets it.
    const std::string& helpFile() const { return helpFile_; }

    // The working directory at construction, without a trailing "/" ("" for the root).
    const std::string& programDirectory() const { return programDirectory_; }
    const std::string& leftDirectory() const { return leftDirectory_; }
    const std::string& rightDirectory() const { return rightDirectory_; }
    bool isRunning() const { return runs_->isRunning(); }
    const RunState& runState() const { return runs_->state(); }
    // The run the controls ask for now.
    RunRequest runRequest() const;

    // Shows a failure in the standard error display; before the window is shown, once it is.
    void showFailure(const QString& message);

    // The button of a mode; none for None.
    QAbstractButton* modeButton(CompareMode mode) const;
    // What the mode buttons do: the mode's button down, its controls shown, its guidance.
    void chooseMode(CompareMode mode);

    // The handlers, each the action of one user event.
    void startComparison() { runs_->start(runRequest()); }
    void abortComparison() { runs_->abort(); }
    void showReportWindow();
    void showHelp();
    void chooseLanguage();
    void browseLeft();
    void browseRight();
    void copyLeftDirectoryToRight();
    void copyRightDirectoryToLeft();
    void refreshLeftPanel();
    void refreshRightPanel();

signals:
    // Help at a topic: 100 from the help button, 200 for this window (F1).
    void helpRequested(int topic);
    // The window has closed and written the settings: the program ends.
    void closed();

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    template <typename Handler>
    void guard(Handler&& handler);
    template <typename Sender, typename Signal>
    void connectHandler(Sender* sender, Signal signal, void (MainWindow::*handler)());

    QString text(MessageKey key) const;
    void setLabelText(QLabel* label, const QString& text) { texts_.setLabelText(label, text); }
    void layOut();
    void releaseModeButtons();
    void refreshPanel(QLabel* label, QListView* list, FileListModel& model,
                      const std::string& directory);
    void showLanguageChooser();
    void applyLanguageAtStart();
    void tellSettingsDamage();
    void writeSettingsOrTell();
    void applyOperands();
    void writeSettingsAtClose();

    std::unique_ptr<Ui::MainWindow> ui_;
    std::unique_ptr<OptionControls> options_;
    LanguageStrings& strings_;
    SettingsStore& settings_;
    ReportDisplay* reportDisplay_ = nullptr;
    LanguageChooser* chooser_ = nullptr;
    Dialogs& dialogs_;
    FileListModel leftFiles_;
    FileListModel rightFiles_;
    QButtonGroup* modeButtons_ = nullptr;
    MainWindowTexts texts_;
    WindowPlacer placer_;

    std::string programDirectory_;
    std::string leftDirectory_;
    std::string rightDirectory_;
    LanguageId currentLanguage_ = kNoLanguage;
    std::string helpFile_;

    bool closedOnce_ = false;
    bool closingForSignal_ = false;
    CommandLineOperands operands_;

    std::unique_ptr<RunController> runs_;
};

} // namespace quorvel
