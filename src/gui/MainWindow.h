#pragma once

#include "engine/RunPlan.h"
#include "engine/RunRequest.h"
#include "engine/RunState.h"
#include "gui/FileListModel.h"
#include "gui/RunController.h"
#include "lang/LanguageId.h"
#include "lang/MessageKey.h"

#include <QFont>
#include <QIcon>
#include <QSize>
#include <QWidget>

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class QAbstractButton;
class QButtonGroup;
class QPushButton;
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
    void showAtStart();
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

    // The handlers, each the action of one user event.
    void selezionaFileFile();
    void selezionaFileDir();
    void selezionaDirDir();
    void startComparison();
    void abortComparison();
    void SpeedButton5Click();
    void SpeedButton6Click();
    void SpeedButton7Click();
    void FormActivate();
    void FormClose();
    void sfoglia1();
    void sfoglia2();
    void BitBtn4Click();
    void BitBtn5Click();
    void FormResize();
    void Panel1Resize();
    void Panel2Resize();
    void Panel3Resize();
    void refreshLeftPanel();
    void refreshRightPanel();
    // The directory chooser for side 1 (left) or 2 (right), opened at that side's directory.
    std::optional<std::string> browseForFolder(const QString& prompt, int side);

signals:
    // Help at a topic: 100 from the help button, 200 for this window (F1).
    void helpRequested(int topic);
    // The window has closed and written the settings: the program ends.
    void closed();

protected:
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    template <typename Handler>
    void guard(Handler&& handler);
    template <typename Sender, typename Signal>
    void connectHandler(Sender* sender, Signal signal, void (MainWindow::*handler)());

    QString text(MessageKey key) const;
    void setDesignLook();
    void setInterfaceTexts(LanguageId id);
    void setLabelText(QLabel* label, const QString& text);
    QFont designFont(const QWidget* widget);
    int availableWidth(const QLabel* label) const;
    void fitButtonText(QAbstractButton* button, int extra);
    void refitTexts();
    void setGuidance(MessageKey line1, MessageKey line2);
    void setModeControls(bool directoryOptions, bool leftList, bool rightList);
    void setLeftMultipleSelection(bool multiple);
    void releaseModeButtons();
    void refreshPanel(QLabel* label, QListView* list, FileListModel& model,
                      const std::string& directory);
    void showError(MessageKey text);
    // The folder chooser's answer for side 1 or 2, when it names a directory that exists; an
    // answer that does not is shown as an error.
    std::optional<std::string> chooseExistingDirectory(int side);
    void showLanguageChooser();
    void tellSettingsDamage();
    void adoptFrameForStoredSize();
    void applyOperands();

    std::unique_ptr<Ui::MainWindow> ui_;
    LanguageStrings& strings_;
    SettingsStore& settings_;
    ReportDisplay* reportDisplay_ = nullptr;
    LanguageChooser* chooser_ = nullptr;
    Dialogs& dialogs_;
    FileListModel leftFiles_;
    FileListModel rightFiles_;
    QButtonGroup* modeButtons_ = nullptr;
    std::map<const QWidget*, QFont> designFonts_;
    std::map<const QPushButton*, QIcon> buttonIcons_;

    std::string programDirectory_;
    std::string leftDirectory_;
    std::string rightDirectory_;
    LanguageId currentLanguage_ = kNoLanguage;
    std::string helpFile_;

    // The size given from the settings until the window manager's frame is known; a dimension
    // left at its design value is the design client size and takes no frame off.
    std::optional<QSize> storedOuterSize_;
    bool storedWidthIsOuter_ = false;
    bool storedHeightIsOuter_ = false;
    bool startMaximized_ = false;
    bool activated_ = false;
    bool closedOnce_ = false;
    bool firstActivationHandled_ = false;
    std::optional<RunPlan> operands_;
    // Why the command line's paths could not be opened, worded once the language is in force.
    struct OperandFailure {
        PlanProblem problem;
        std::string path;
        int errorCode;
    };
    std::optional<OperandFailure> operandFailure_;

    std::unique_ptr<RunController> runs_;
};

} // namespace quorvel
