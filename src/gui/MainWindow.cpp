#include "gui/MainWindow.h"

#include "engine/CurrentDirectory.h"
#include "gui/ApplicationHelpFile.h"
#include "gui/CheckedButtonFocus.h"
#include "gui/Dialogs.h"
#include "gui/FileListSelection.h"
#include "gui/FolderBrowsing.h"
#include "gui/GuiImages.h"
#include "gui/LanguageChooser.h"
#include "gui/MainWindowLayout.h"
#include "gui/ModeTable.h"
#include "gui/OptionControls.h"
#include "gui/PathShortening.h"
#include "gui/QtDialogLanguage.h"
#include "gui/QtText.h"
#include "gui/ReportDisplay.h"
#include "gui/RunRequestReading.h"
#include "gui/StatusLine.h"
#include "gui/WindowAccessible.h"
#include "lang/HelpFilePath.h"
#include "lang/LanguageStrings.h"
#include "settings/ClosingSettings.h"
#include "settings/MainWindowSettings.h"
#include "settings/SettingsError.h"
#include "settings/SettingsStore.h"
#include "ui_MainWindow.h"

#include <QButtonGroup>
#include <QCloseEvent>
#include <QShortcut>
#include <QTimer>

#include <cstdio>
#include <exception>

namespace quorvel {

MainWindow::MainWindow(LanguageStrings& strings, Report& report, FileAccess& files,
                       SettingsStore& settings, Dialogs& dialogs, QWidget* parent)
    : QWidget(parent), ui_(std::make_unique<Ui::MainWindow>()), strings_(strings),
      settings_(settings), dialogs_(dialogs), texts_(*this, *ui_), placer_(*this) {
    registerGuiImages();
    installWindowRoles();
    // The design values, with the Italian texts of the language table.
    ui_->setupUi(this);
    options_ = std::make_unique<OptionControls>(*this);
    ui_->FileListBox1->setModel(&leftFiles_);
    ui_->FileListBox2->setModel(&rightFiles_);
    modeButtons_ = new QButtonGroup(this);
    // In the order of the mode table.
    modeButtons_->addButton(ui_->SpeedButton1, 0);
    modeButtons_->addButton(ui_->SpeedButton2, 1);
    modeButtons_->addButton(ui_->SpeedButton3, 2);
    new CheckedButtonFocus(*modeButtons_);
    releaseModeButtons(); // all up until a mode is chosen
    texts_.applyDesignLook();
    texts_.apply(kItalian, *modeButtons_);
    // What a window without a mode shows, from the start: behind the first start's chooser the
    // design's every control at once would lie on top of each other.
    chooseMode(CompareMode::FileWithFile);
    releaseModeButtons();
    ui_->CheckBoxRecurse->hide();
    setListSelection(ui_->FileListBox1, ListSelection::Single);
    setListSelection(ui_->FileListBox2, ListSelection::Single);
    auto shown = runWidgetsOf(*ui_, [this](QLabel* l, const QString& t) { setLabelText(l, t); });
    runs_ = std::make_unique<RunController>(*this, shown, dialogs, strings, report, files);
    runs_->setShowReport([this] { showReportWindow(); });

    for (const ModeDescription& row : kModeTable) {
        connect(modeButton(row.mode), &QAbstractButton::clicked, this,
                [this, mode = row.mode] { guard([this, mode] { chooseMode(mode); }); });
    }
    connectHandler(ui_->SpeedButton4, &QToolButton::clicked, &MainWindow::startComparison);
    connectHandler(ui_->SpeedButton5, &QToolButton::clicked, &MainWindow::showReportWindow);
    connectHandler(ui_->SpeedButton6, &QToolButton::clicked, &MainWindow::showHelp);
    connectHandler(ui_->SpeedButton7, &QToolButton::clicked, &MainWindow::chooseLanguage);
    connectHandler(ui_->BitBtn1, &QPushButton::clicked, &MainWindow::abortComparison);
    connectHandler(ui_->BitBtn2, &QPushButton::clicked, &MainWindow::browseLeft);
    connectHandler(ui_->BitBtn3, &QPushButton::clicked, &MainWindow::browseRight);
    connectHandler(ui_->BitBtn4, &QToolButton::clicked, &MainWindow::copyLeftDirectoryToRight);
    connectHandler(ui_->BitBtn5, &QToolButton::clicked, &MainWindow::copyRightDirectoryToLeft);
    auto* help = new QShortcut(QKeySequence::HelpContents, this);
    connect(help, &QShortcut::activated, this, [this] { emit helpRequested(200); });
    // After the activation has been handled, so the chooser can open over the window.
    placer_.setFirstActivation([this] {
        guard([this] { applyLanguageAtStart(); });
        guard([this] { applyOperands(); }); // the command line's, after the language
    });

    // Without a working directory (it was deleted) the window starts at the root.
    const std::string working = currentDirectory().value_or("/");
    programDirectory_ = working;
    leftDirectory_ = working;
    rightDirectory_ = working;
    refreshLeftPanel();
    refreshRightPanel();
    setLabelText(ui_->StatusBar1, toQString(statusLineText()));
    if (programDirectory_.ends_with('/')) {
        programDirectory_.pop_back();
    }

    const MainWindowSettings stored = readMainWindowSettings(settings_);
    // A dimension left at its design value is the design client size and takes no frame off.
    placer_.resizeOuter(
        stored.width != MainWindowSettings::kDesignWidth ? std::optional(stored.width)
                                                         : std::nullopt,
        stored.height != MainWindowSettings::kDesignHeight ? std::optional(stored.height)
                                                           : std::nullopt);
    placer_.placeAt(stored.left, stored.top);
    placer_.setStartMaximized(stored.maximized);
    currentLanguage_ = stored.language;
    if (stored.leftDirectory) {
        leftDirectory_ = stored.leftDirectory->toStdString();
        refreshLeftPanel();
    }
    if (stored.rightDirectory) {
        rightDirectory_ = stored.rightDirectory->toStdString();
        refreshRightPanel();
    }
    layOut();
}

MainWindow::~MainWindow() = default;

template <typename Handler>
void MainWindow::guard(Handler&& handler) {
    try {
        handler();
    } catch (const std::exception& failure) {
        showFailure(QString::fromUtf8(failure.what()));
    } catch (...) {
        showFailure(text(MessageKey::capError));
    }
}

template <typename Sender, typename Signal>
void MainWindow::connectHandler(Sender* sender, Signal signal, void (MainWindow::*handler)()) {
    connect(sender, signal, this,
            [this, handler] { guard([this, handler] { (this->*handler)(); }); });
}

void MainWindow::showFailure(const QString& message) {
    if (isVisible()) {
        dialogs_.showFailure(this, message);
        return;
    }
    // Not on the screen yet: the box follows as soon as the event loop runs.
    QTimer::singleShot(0, this, [this, message] { dialogs_.showFailure(this, message); });
}

QString MainWindow::text(MessageKey key) const {
    return toQString(strings_.text(key));
}

void MainWindow::openOnOperands(const std::vector<std::string>& paths) {
    operands_.open(paths);
    if (const std::optional<RunPlan>& plan = operands_.plan()) {
        leftDirectory_ = plan->leftDirectory;
        refreshLeftPanel();
        if (!plan->rightDirectory.empty()) {
            rightDirectory_ = plan->rightDirectory;
            refreshRightPanel();
        }
    }
    if (placer_.firstActivationHandled()) {
        applyOperands();
    }
}

void MainWindow::applyOperands() {
    if (const auto failure = operands_.takeFailure(strings_)) {
        dialogs_.showFailure(this, toQString(*failure));
    }
    const std::optional<RunPlan> plan = operands_.takePlan();
    if (!plan) {
        return;
    }
    chooseMode(plan->mode);
    selectNames(ui_->FileListBox1, leftFiles_, plan->leftNames);
    if (plan->rightName) {
        selectNames(ui_->FileListBox2, rightFiles_, {*plan->rightName});
    }
}

void MainWindow::applyLanguage(LanguageId id) {
    chooseMode(CompareMode::FileWithFile);
    if (const std::optional<std::string> help = helpFilePath(programDirectory_, id)) {
        setApplicationHelpFile(*help);
        helpFile_ = *help;
        if (reportDisplay_ != nullptr) {
            reportDisplay_->setHelpFile(*help);
        }
    }
    if (isLanguage(id)) {
        texts_.apply(id, *modeButtons_);
        useQtDialogLanguage(id);
        if (reportDisplay_ != nullptr) {
            reportDisplay_->applyInterfaceTexts(id);
        }
        strings_.fillFrom(id);
    }
    releaseModeButtons();
}

// --- Modes -----------------------------------------------------------------------------------

QAbstractButton* MainWindow::modeButton(CompareMode mode) const {
    const ModeDescription* row = describeMode(mode);
    return row == nullptr ? nullptr
                          : modeButtons_->button(static_cast<int>(row - kModeTable.data()));
}

void MainWindow::chooseMode(CompareMode mode) {
    const ModeDescription* row = describeMode(mode);
    if (row == nullptr) {
        return;
    }
    modeButtons_->setExclusive(true);
    modeButton(mode)->setChecked(true);
    for (QWidget* w : {static_cast<QWidget*>(ui_->BitBtn1), static_cast<QWidget*>(ui_->Label5),
                       static_cast<QWidget*>(ui_->Label11)}) {
        w->hide();
    }
    options_->showFor(mode);
    ui_->FileListBox1->setVisible(row->leftList);
    ui_->Label9->setVisible(row->leftList);
    ui_->FileListBox2->setVisible(row->rightList);
    ui_->Label10->setVisible(row->rightList);
    setListSelection(ui_->FileListBox1, row->leftSelection);
    setListSelection(ui_->FileListBox2, row->rightSelection);
    setLabelText(ui_->LabelTutor1, text(row->guidance1));
    setLabelText(ui_->LabelTutor2, text(row->guidance2));
}

void MainWindow::releaseModeButtons() {
    // An exclusive group keeps one button down, so it must allow all up first.
    modeButtons_->setExclusive(false);
    for (QAbstractButton* button : modeButtons_->buttons()) {
        button->setChecked(false);
    }
    // Exclusive again with all up: the keyboard moves through an exclusive group with the arrows,
    // and a non-exclusive one left only the first button in reach.
    modeButtons_->setExclusive(true);
}

// --- Runs and the toolbar --------------------------------------------------------------------

RunRequest MainWindow::runRequest() const {
    return readRunRequest(*ui_, *options_, leftFiles_, rightFiles_, leftDirectory_,
                          rightDirectory_);
}

void MainWindow::showReportWindow() {
    if (reportDisplay_ != nullptr) {
        reportDisplay_->showReport();
    }
}

void MainWindow::showHelp() {
    emit helpRequested(100);
}

void MainWindow::chooseLanguage() {
    showLanguageChooser();
    applyLanguage(currentLanguage_);
}

void MainWindow::showLanguageChooser() {
    if (chooser_ != nullptr) {
        quorvel::showLanguageChooser(*chooser_, *this, currentLanguage_);
    }
}

void MainWindow::applyLanguageAtStart() {
    const bool firstStart = currentLanguage_ == kNoLanguage;
    if (firstStart) {
        showLanguageChooser();
        if (currentLanguage_ == kNoLanguage) {
            currentLanguage_ = kEnglish;
        }
    }
    applyLanguage(currentLanguage_);
    tellSettingsDamage();
    if (firstStart) {
        emit helpRequested(200);
    }
}

void MainWindow::tellSettingsDamage() {
    // Once the language is in force, so the box speaks it.
    if (const auto damage = settings_.takeDamage()) {
        dialogs_.showMessage(
            this, text(MessageKey::errSettingsDamaged) + QLatin1Char('\n') + damage->copyPath,
            text(MessageKey::capMessage), QMessageBox::Warning);
    }
    if (const auto problem = settings_.takeUnusable()) {
        dialogs_.showMessage(this,
                             text(MessageKey::errSettingsUnusable) + QLatin1Char('\n') +
                                 settings_.filePath() + QLatin1Char('\n') + *problem,
                             text(MessageKey::capMessage), QMessageBox::Warning);
    }
}

// --- Closing and size ------------------------------------------------------------------------

void MainWindow::writeSettingsAtClose() {
    ClosingSettings s;
    const QRect frame = frameGeometry();
    s.mainWindow = {frame.top(), frame.left(), frame.width(), frame.height()};
    s.mainWindowMaximized = isMaximized();
    s.leftDirectory = QByteArray::fromStdString(leftDirectory_);
    s.rightDirectory = QByteArray::fromStdString(rightDirectory_);
    if (reportDisplay_ != nullptr) {
        s.reportWindow = reportDisplay_->closingBounds();
        s.reportWindowMaximized = reportDisplay_->closingMaximized();
        s.reportFont = reportDisplay_->closingFont();
    }
    s.language = currentLanguage_;
    writeClosingSettings(settings_, s);
}

void MainWindow::writeSettingsOrTell() {
    try {
        writeSettingsAtClose();
    } catch (const SettingsError& failure) {
        if (failure.onRead()) {
            throw;
        }
        const QString message = text(MessageKey::errSettingsNotSaved) + QLatin1Char('\n') +
                                settings_.filePath() + QLatin1Char('\n') + settings_.problem();
        if (closingForSignal_) {
            std::fprintf(stderr, "quorvel: %s\n", qPrintable(message));
        } else {
            dialogs_.showFailure(this, message);
        }
    }
}

void MainWindow::closeForSignal() {
    closingForSignal_ = true;
    close();
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (runs_->closeAfterRun()) {
        event->ignore();
        return;
    }
    event->accept();
    if (!closedOnce_) {
        closedOnce_ = true;
        guard([this] { writeSettingsOrTell(); }); // the window closes all the same
        emit closed();
    }
}

void MainWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    guard([this] { layOut(); });
}

void MainWindow::layOut() {
    layOutMainWindow(*ui_, width(), height());
    // The path labels changed width: their paths are shortened again.
    refreshLeftPanel();
    refreshRightPanel();
    texts_.refit();
}

// --- Panels, browsing and copy across --------------------------------------------------------

void MainWindow::refreshPanel(QLabel* label, QListView* list, FileListModel& model,
                              const std::string& directory) {
    const QFontMetrics metrics(label->font());
    const std::string shown =
        shortenPathToWidth(directory, label->width(), [&metrics](std::string_view text) {
            return metrics.horizontalAdvance(toQString(text));
        });
    setLabelText(label, toQString(shown));
    label->setToolTip(toQString(directory));
    list->setAccessibleDescription(toQString(directory));
    if (const int error = model.setDirectory(directory)) {
        showFailure(toQString(directory) + QStringLiteral(": ") + toQString(std::strerror(error)));
    }
}

void MainWindow::refreshLeftPanel() {
    refreshPanel(ui_->Label1, ui_->FileListBox1, leftFiles_, leftDirectory_);
}

void MainWindow::refreshRightPanel() {
    refreshPanel(ui_->Label2, ui_->FileListBox2, rightFiles_, rightDirectory_);
}

void MainWindow::browseLeft() {
    if (const auto chosen = chooseExistingDirectory(dialogs_, this, strings_, leftDirectory_)) {
        leftDirectory_ = *chosen;
        refreshLeftPanel();
    }
}

void MainWindow::browseRight() {
    if (const auto chosen = chooseExistingDirectory(dialogs_, this, strings_, rightDirectory_)) {
        rightDirectory_ = *chosen;
        refreshRightPanel();
    }
}

void MainWindow::copyRightDirectoryToLeft() {
    leftDirectory_ = rightDirectory_;
    refreshLeftPanel();
}

void MainWindow::copyLeftDirectoryToRight() {
    rightDirectory_ = leftDirectory_;
    refreshRightPanel();
}

} // namespace quorvel
