#include "gui/MainWindow.h"

#include "engine/CurrentDirectory.h"
#include "engine/LongPath.h"
#include "engine/ReportLineFormat.h"
#include "engine/RunPlan.h"
#include "gui/ApplicationHelpFile.h"
#include "gui/Dialogs.h"
#include "gui/GuiImages.h"
#include "gui/LanguageChooser.h"
#include "gui/PathShortening.h"
#include "gui/QtDialogLanguage.h"
#include "gui/QtText.h"
#include "gui/ReportDisplay.h"
#include "gui/ResizeRules.h"
#include "gui/ScreenPlacement.h"
#include "gui/StatusLine.h"
#include "gui/TextFitting.h"
#include "gui/WindowAccessible.h"
#include "lang/HelpFilePath.h"
#include "lang/LanguageStrings.h"
#include "lang/LanguageTable.h"
#include "settings/ClosingSettings.h"
#include "settings/MainWindowSettings.h"
#include "settings/SettingsStore.h"
#include "ui_MainWindow.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCloseEvent>
#include <QFontDatabase>
#include <QShortcut>
#include <QStyle>
#include <QTimer>
#include <QWindow>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <exception>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace quorvel {

namespace {

bool isExistingDirectory(const std::string& path) {
    // Also one deeper than the system takes in one call.
    return openDirectory(path, O_PATH).isOpen();
}

QFont withSize(QFont font, int points, bool bold) {
    font.setPointSize(points);
    font.setBold(bold);
    return font;
}

std::string inDirectory(const std::string& directory, const std::string& name) {
    return directory.ends_with('/') ? directory + name : directory + "/" + name;
}

// The first path of the plan the user may not read (a directory also not search), with the
// system's reason.
// The first part of a plan that cannot be read, with the system's reason.
std::optional<std::pair<std::string, int>> unreadablePart(const RunPlan& plan) {
    std::vector<std::pair<std::string, int>> parts{{plan.leftDirectory, R_OK | X_OK}};
    for (const std::string& name : plan.leftNames) {
        parts.emplace_back(inDirectory(plan.leftDirectory, name), R_OK);
    }
    if (!plan.rightDirectory.empty()) {
        parts.emplace_back(plan.rightDirectory, R_OK | X_OK);
    }
    if (plan.rightName) {
        parts.emplace_back(inDirectory(plan.rightDirectory, *plan.rightName), R_OK);
    }
    for (const auto& [path, access] : parts) {
        if (::access(path.c_str(), access) != 0) {
            return std::pair{path, errno};
        }
    }
    return std::nullopt;
}

MessageKey operandMessage(PlanProblem problem) {
    switch (problem) {
    case PlanProblem::NotFileOrDirectory:
        return MessageKey::errOperandNotFileOrDirectory;
    case PlanProblem::Mismatched:
        return MessageKey::errOperandsMismatched;
    case PlanProblem::None:
    case PlanProblem::Unreadable:
        break;
    }
    return MessageKey::errOperandUnreadable;
}

// Selects the rows of `names`, the first one current.
void selectNames(QListView* list, const FileListModel& model,
                 const std::vector<std::string>& names) {
    bool first = true;
    for (int row = 0; row < model.rowCount(); ++row) {
        if (std::find(names.begin(), names.end(), model.nameAt(row)) == names.end()) {
            continue;
        }
        const QModelIndex index = model.index(row);
        if (first) {
            list->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
            list->scrollTo(index);
            first = false;
        } else {
            list->selectionModel()->select(index, QItemSelectionModel::Select);
        }
    }
}

void setColor(QWidget* widget, QPalette::ColorRole role, const QColor& color) {
    QPalette palette = widget->palette();
    palette.setColor(role, color);
    widget->setPalette(palette);
}

} // namespace

MainWindow::MainWindow(LanguageStrings& strings, Report& report, FileAccess& files,
                       SettingsStore& settings, Dialogs& dialogs, QWidget* parent)
    : QWidget(parent), ui_(std::make_unique<Ui::MainWindow>()), strings_(strings),
      settings_(settings), dialogs_(dialogs), runView_(*this),
      run_(runView_, report, strings, files, localeDecimalSeparator()) {
    registerGuiImages();
    installWindowRoles();
    // The design values, with the Italian texts of the language table.
    ui_->setupUi(this);
    ui_->FileListBox1->setModel(&leftFiles_);
    ui_->FileListBox2->setModel(&rightFiles_);
    modeButtons_ = new QButtonGroup(this);
    modeButtons_->addButton(ui_->SpeedButton1);
    modeButtons_->addButton(ui_->SpeedButton2);
    modeButtons_->addButton(ui_->SpeedButton3);
    releaseModeButtons(); // all up until a mode is chosen
    setDesignLook();
    setInterfaceTexts(kItalian);
    ui_->BitBtn1->hide();
    ui_->Label5->hide();
    ui_->ProgressBar1->hide();
    ui_->CheckBoxRecurse->hide();
    setLeftMultipleSelection(false);
    ui_->FileListBox2->setSelectionMode(QAbstractItemView::SingleSelection);

    connectHandler(ui_->SpeedButton1, &QToolButton::clicked, &MainWindow::selezionaFileFile);
    connectHandler(ui_->SpeedButton2, &QToolButton::clicked, &MainWindow::selezionaFileDir);
    connectHandler(ui_->SpeedButton3, &QToolButton::clicked, &MainWindow::selezionaDirDir);
    connectHandler(ui_->SpeedButton4, &QToolButton::clicked, &MainWindow::SpeedButton4Click);
    connectHandler(ui_->SpeedButton5, &QToolButton::clicked, &MainWindow::SpeedButton5Click);
    connectHandler(ui_->SpeedButton6, &QToolButton::clicked, &MainWindow::SpeedButton6Click);
    connectHandler(ui_->SpeedButton7, &QToolButton::clicked, &MainWindow::SpeedButton7Click);
    connectHandler(ui_->BitBtn1, &QPushButton::clicked, &MainWindow::BitBtn1Click);
    connectHandler(ui_->BitBtn2, &QPushButton::clicked, &MainWindow::sfoglia1);
    connectHandler(ui_->BitBtn3, &QPushButton::clicked, &MainWindow::sfoglia2);
    connectHandler(ui_->BitBtn4, &QToolButton::clicked, &MainWindow::BitBtn4Click);
    connectHandler(ui_->BitBtn5, &QToolButton::clicked, &MainWindow::BitBtn5Click);
    auto* help = new QShortcut(QKeySequence::HelpContents, this);
    connect(help, &QShortcut::activated, this, [this] { emit helpRequested(200); });

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
    if (stored.left || stored.top) {
        move(stored.left.value_or(x()), stored.top.value_or(y()));
    }
    if (stored.width != MainWindowSettings::kDesignWidth ||
        stored.height != MainWindowSettings::kDesignHeight) {
        // Stored sizes are outer sizes; the frame is known only once the window is shown.
        storedWidthIsOuter_ = stored.width != MainWindowSettings::kDesignWidth;
        storedHeightIsOuter_ = stored.height != MainWindowSettings::kDesignHeight;
        storedOuterSize_ = QSize(storedWidthIsOuter_ ? stored.width : width(),
                                 storedHeightIsOuter_ ? stored.height : height());
        resize(*storedOuterSize_);
    }
    if (stored.left || stored.top) {
        // A place off every screen (a screen unplugged since) would hide the window.
        move(placeOnScreens(QRect(pos(), size())));
    }
    startMaximized_ = stored.maximized;
    currentLanguage_ = stored.language;
    if (stored.leftDirectory) {
        leftDirectory_ = stored.leftDirectory->toStdString();
        refreshLeftPanel();
    }
    if (stored.rightDirectory) {
        rightDirectory_ = stored.rightDirectory->toStdString();
        refreshRightPanel();
    }
    FormResize();
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

void MainWindow::showAtStart() {
    if (startMaximized_) {
        showMaximized();
    } else {
        show();
    }
}

void MainWindow::openOnOperands(const std::vector<std::string>& paths) {
    if (paths.empty()) {
        return;
    }
    const PlannedRun planned = planRunFromHere(paths);
    if (!planned.plan) {
        operandFailure_ = {planned.problem, planned.problemPath, planned.errorCode};
    } else if (const auto unreadable = unreadablePart(*planned.plan)) {
        operandFailure_ = {PlanProblem::Unreadable, unreadable->first, unreadable->second};
    } else {
        const RunPlan& plan = *planned.plan;
        leftDirectory_ = plan.leftDirectory;
        refreshLeftPanel();
        if (!plan.rightDirectory.empty()) {
            rightDirectory_ = plan.rightDirectory;
            refreshRightPanel();
        }
        operands_ = plan;
    }
    if (firstActivationHandled_) {
        applyOperands();
    }
}

void MainWindow::applyOperands() {
    firstActivationHandled_ = true;
    if (operandFailure_) {
        const OperandFailure failure = *operandFailure_;
        operandFailure_.reset();
        std::string detail = failure.path;
        if (failure.errorCode != 0) {
            detail += ": ";
            detail += std::strerror(failure.errorCode);
        }
        dialogs_.showFailure(this, toQString(strings_.text(operandMessage(failure.problem))) +
                                       QLatin1Char('\n') + toQString(detail));
    }
    if (!operands_) {
        return;
    }
    const RunPlan plan = std::move(*operands_);
    operands_.reset();
    switch (plan.mode) {
    case CompareMode::FileWithFile:
        ui_->SpeedButton1->setChecked(true);
        selezionaFileFile();
        break;
    case CompareMode::FilesWithDirectory:
        ui_->SpeedButton2->setChecked(true);
        selezionaFileDir();
        break;
    case CompareMode::DirectoryWithDirectory:
        ui_->SpeedButton3->setChecked(true);
        selezionaDirDir();
        break;
    case CompareMode::None:
        break;
    }
    selectNames(ui_->FileListBox1, leftFiles_, plan.leftNames);
    if (plan.rightName) {
        selectNames(ui_->FileListBox2, rightFiles_, {*plan.rightName});
    }
}

// --- Look and texts --------------------------------------------------------------------------

void MainWindow::setDesignLook() {
    const QFont base = withSize(QApplication::font(), 8, false);
    setFont(base);
    const QFont heading = withSize(base, 10, true);
    for (QLabel* label :
         {ui_->Label3, ui_->Label4, ui_->Label7, ui_->Label8, ui_->Label9, ui_->Label10}) {
        label->setFont(heading);
    }
    const QFont fixed = withSize(QFontDatabase::systemFont(QFontDatabase::FixedFont), 8, false);
    ui_->EditFiltro->setFont(fixed);
    ui_->Label12->setFont(fixed);
    ui_->Label12->setAccessibleName(ui_->Label12->text());
    ui_->Label12->adjustSize();

    for (QLabel* label : {ui_->Label3, ui_->Label4}) {
        setColor(label, QPalette::WindowText, Qt::red);
    }
    for (QLabel* label : {ui_->Label7, ui_->Label8, ui_->Label9, ui_->Label10}) {
        setColor(label, QPalette::WindowText, Qt::blue);
    }
    for (QLabel* label : {ui_->LabelTutor1, ui_->LabelTutor2}) {
        label->setAutoFillBackground(true);
        setColor(label, QPalette::Window, QColor(0xff, 0xff, 0x80));
        setColor(label, QPalette::WindowText, Qt::black);
    }

    const auto icon = [](const char* name) {
        return QIcon(QStringLiteral(":/icons/") + QLatin1StringView(name) + QStringLiteral(".svg"));
    };
    ui_->SpeedButton1->setIcon(icon("mode-file-file"));
    ui_->SpeedButton2->setIcon(icon("mode-files-directory"));
    ui_->SpeedButton3->setIcon(icon("mode-directory-directory"));
    ui_->SpeedButton4->setIcon(icon("start"));
    ui_->SpeedButton5->setIcon(icon("view-report"));
    ui_->SpeedButton6->setIcon(icon("help"));
    ui_->SpeedButton7->setIcon(icon("language"));
    buttonIcons_[ui_->BitBtn1] = icon("abort");
    buttonIcons_[ui_->BitBtn2] = icon("browse");
    buttonIcons_[ui_->BitBtn3] = icon("browse");
    ui_->BitBtn4->setIcon(icon("copy-from-left"));
    ui_->BitBtn5->setIcon(icon("copy-from-right"));
}

QFont MainWindow::designFont(const QWidget* widget) {
    const auto found = designFonts_.find(widget);
    if (found != designFonts_.end()) {
        return found->second;
    }
    return designFonts_.emplace(widget, widget->font()).first->second;
}

int MainWindow::availableWidth(const QLabel* label) const {
    if (label == ui_->Label3) {
        return ui_->Panel1->width() - 8;
    }
    if (label == ui_->Label4) {
        return ui_->Panel2->width() - 8;
    }
    return label->parentWidget()->width() - label->x() - 8;
}

void MainWindow::setLabelText(QLabel* label, const QString& text) {
    label->setText(text);
    label->setAccessibleName(text);
    if (label == ui_->Label1 || label == ui_->Label2 || label == ui_->StatusBar1) {
        return; // fixed width
    }
    // Sized to its text, narrowed where a translation would run past its container.
    const int available = availableWidth(label);
    label->setFont(fittingFont(designFont(label), text, available));
    label->resize(std::min(label->sizeHint().width(), available), label->height());
}

void MainWindow::fitButtonText(QAbstractButton* button, int extra) {
    const QString caption = button->text();
    button->setFont(fittingFont(designFont(button), caption, button->width() - extra));
}

void MainWindow::refitTexts() {
    for (QLabel* label :
         {ui_->LabelTutor1, ui_->LabelTutor2, ui_->Label11, ui_->Label5, ui_->Label3, ui_->Label4,
          ui_->Label6, ui_->Label7, ui_->Label8, ui_->Label9, ui_->Label10}) {
        setLabelText(label, label->text());
    }
    const int indicator = style()->pixelMetric(QStyle::PM_IndicatorWidth) +
                          style()->pixelMetric(QStyle::PM_CheckBoxLabelSpacing) + 4;
    for (QAbstractButton* box : {static_cast<QAbstractButton*>(ui_->CheckBoxRecurse),
                                 static_cast<QAbstractButton*>(ui_->CheckBoxSoloDiversi),
                                 static_cast<QAbstractButton*>(ui_->CheckBoxSoloDim)}) {
        fitButtonText(box, indicator);
    }
    // A picture goes before the caption only where both fit.
    for (QPushButton* button : {ui_->BitBtn1, ui_->BitBtn2, ui_->BitBtn3}) {
        const QIcon picture = buttonIcons_[button];
        const int margins = 14;
        const int withPicture = margins + button->iconSize().width() + 4;
        const bool fits = QFontMetrics(designFont(button)).horizontalAdvance(button->text()) <=
                          button->width() - withPicture;
        button->setIcon(fits ? picture : QIcon());
        fitButtonText(button, fits ? withPicture : margins);
    }
    ui_->GroupBox1->setFont(fittingFont(designFont(ui_->GroupBox1), ui_->GroupBox1->title(),
                                        ui_->GroupBox1->width() - 16));
    ui_->CheckBoxSoloDim->setFont(fittingFont(designFont(ui_->CheckBoxSoloDim),
                                              ui_->CheckBoxSoloDim->text(),
                                              ui_->CheckBoxSoloDim->width() - indicator));
}

void MainWindow::setInterfaceTexts(LanguageId id) {
    const auto ui = [id](UiKey key) { return toQString(languageText(id, key).value_or("")); };
    const auto button = [](QAbstractButton* b, const QString& caption) {
        b->setText(caption);
        b->setAccessibleName(caption);
    };
    // A picture button is known by its hint.
    const auto hint = [](QWidget* w, const QString& text) {
        w->setToolTip(text);
        w->setAccessibleName(text);
    };
    button(ui_->BitBtn1, ui(UiKey::uiAbort));
    button(ui_->CheckBoxRecurse, ui(UiKey::uiRecurse));
    button(ui_->CheckBoxSoloDiversi, ui(UiKey::uiOnlyDifferent));
    setLabelText(ui_->Label3, ui(UiKey::uiCompareThis));
    setLabelText(ui_->Label4, ui(UiKey::uiWithThis));
    setLabelText(ui_->Label6, ui(UiKey::uiFilter));
    setLabelText(ui_->LabelTutor1, ui(UiKey::tutorNoMode1));
    setLabelText(ui_->LabelTutor2, ui(UiKey::tutorNoMode2));
    hint(ui_->SpeedButton1, ui(UiKey::hintFileFile));
    hint(ui_->SpeedButton2, ui(UiKey::hintFileDir));
    hint(ui_->SpeedButton3, ui(UiKey::hintDirDir));
    hint(ui_->SpeedButton4, ui(UiKey::hintStart));
    hint(ui_->SpeedButton5, ui(UiKey::hintViewReport));
    hint(ui_->SpeedButton6, ui(UiKey::hintHelp));
    hint(ui_->SpeedButton7, ui(UiKey::hintLanguage));
    ui_->GroupBox1->setTitle(ui(UiKey::uiGeneralOptions));
    ui_->GroupBox1->setAccessibleName(ui(UiKey::uiGeneralOptions));
    button(ui_->CheckBoxSoloDim, ui(UiKey::uiFastCompare));
    button(ui_->BitBtn2, ui(UiKey::uiBrowse));
    button(ui_->BitBtn3, ui(UiKey::uiBrowse));
    setLabelText(ui_->Label7, ui(UiKey::uiDirectory));
    setLabelText(ui_->Label8, ui(UiKey::uiDirectory));
    setLabelText(ui_->Label9, ui(UiKey::uiFiles));
    setLabelText(ui_->Label10, ui(UiKey::uiFiles));
    hint(ui_->BitBtn4, ui(UiKey::hintCopyFromLeft));
    hint(ui_->BitBtn5, ui(UiKey::hintCopyFromRight));

    // Controls without a caption of their own are named after the caption that marks them.
    const QString compareThis = ui(UiKey::uiCompareThis);
    const QString withThis = ui(UiKey::uiWithThis);
    ui_->Panel1->setAccessibleName(compareThis);
    ui_->Panel2->setAccessibleName(withThis);
    ui_->FileListBox1->setAccessibleName(compareThis + QLatin1Char(' ') + ui(UiKey::uiFiles));
    ui_->FileListBox2->setAccessibleName(withThis + QLatin1Char(' ') + ui(UiKey::uiFiles));
    ui_->EditFiltro->setAccessibleName(ui(UiKey::uiFilter));
    ui_->ProgressBar1->setAccessibleName(ui(UiKey::hintDirDir));
    refitTexts();
}

void MainWindow::applyLanguage(LanguageId id) {
    selezionaFileFile();
    if (const std::optional<std::string> help = helpFilePath(programDirectory_, id)) {
        setApplicationHelpFile(*help);
        helpFile_ = *help;
        if (reportDisplay_ != nullptr) {
            reportDisplay_->setHelpFile(*help);
        }
    }
    if (isLanguage(id)) {
        setInterfaceTexts(id);
        useQtDialogLanguage(id);
        if (reportDisplay_ != nullptr) {
            reportDisplay_->applyInterfaceTexts(id);
        }
        strings_.fillFrom(id);
    }
    releaseModeButtons();
}

// --- Modes -----------------------------------------------------------------------------------

void MainWindow::setGuidance(MessageKey line1, MessageKey line2) {
    setLabelText(ui_->LabelTutor1, text(line1));
    setLabelText(ui_->LabelTutor2, text(line2));
}

void MainWindow::setLeftMultipleSelection(bool multiple) {
    QListView* list = ui_->FileListBox1;
    if (!multiple && list->selectionMode() != QAbstractItemView::SingleSelection) {
        // One file stays chosen: the current one if it was chosen, else the first chosen.
        const QModelIndexList chosen = list->selectionModel()->selectedRows();
        if (chosen.size() > 1) {
            const QModelIndex keep =
                chosen.contains(list->currentIndex()) ? list->currentIndex() : chosen.front();
            list->selectionModel()->select(keep, QItemSelectionModel::ClearAndSelect);
        }
    }
    list->setSelectionMode(multiple ? QAbstractItemView::ExtendedSelection
                                    : QAbstractItemView::SingleSelection);
}

void MainWindow::setModeControls(bool directoryOptions, bool leftList, bool rightList) {
    ui_->BitBtn1->hide();
    ui_->Label5->hide();
    ui_->Label11->hide();
    for (QWidget* w :
         {static_cast<QWidget*>(ui_->CheckBoxRecurse),
          static_cast<QWidget*>(ui_->CheckBoxSoloDiversi), static_cast<QWidget*>(ui_->EditFiltro),
          static_cast<QWidget*>(ui_->Label6)}) {
        w->setVisible(directoryOptions);
    }
    ui_->FileListBox1->setVisible(leftList);
    ui_->Label9->setVisible(leftList);
    ui_->FileListBox2->setVisible(rightList);
    ui_->Label10->setVisible(rightList);
}

void MainWindow::selezionaFileFile() {
    modeButtons_->setExclusive(true);
    setModeControls(false, true, true);
    setLeftMultipleSelection(false);
    setGuidance(MessageKey::tutorFileFile1, MessageKey::tutorFileFile2);
}

void MainWindow::selezionaFileDir() {
    modeButtons_->setExclusive(true);
    setModeControls(false, true, false);
    setLeftMultipleSelection(true);
    setGuidance(MessageKey::tutorFileDir1, MessageKey::tutorFileDir2);
}

void MainWindow::selezionaDirDir() {
    modeButtons_->setExclusive(true);
    setModeControls(true, false, false);
    setGuidance(MessageKey::tutorDirDir1, MessageKey::tutorDirDir2);
}

void MainWindow::releaseModeButtons() {
    // An exclusive group keeps one button down, so it must allow all up first.
    modeButtons_->setExclusive(false);
    ui_->SpeedButton1->setChecked(false);
    ui_->SpeedButton2->setChecked(false);
    ui_->SpeedButton3->setChecked(false);
    // Exclusive again with all up: the keyboard moves through an exclusive group with the arrows,
    // and a non-exclusive one left only the first button in reach.
    modeButtons_->setExclusive(true);
}

// --- Runs and the toolbar --------------------------------------------------------------------

void MainWindow::SpeedButton4Click() {
    running_ = true;
    try {
        run_.startComparison();
    } catch (...) {
        running_ = false;
        runView_.flush();
        if (closeRequested_) {
            QTimer::singleShot(0, this, &QWidget::close);
        }
        throw;
    }
    running_ = false;
    runView_.flush();
    if (closeRequested_) {
        close();
    }
}

void MainWindow::BitBtn1Click() {
    run_.requestAbort();
}

void MainWindow::SpeedButton5Click() {
    if (reportDisplay_ != nullptr) {
        reportDisplay_->showReport();
    }
}

void MainWindow::SpeedButton6Click() {
    emit helpRequested(100);
}

void MainWindow::SpeedButton7Click() {
    showLanguageChooser();
    applyLanguage(currentLanguage_);
}

void MainWindow::showLanguageChooser() {
    if (chooser_ != nullptr) {
        quorvel::showLanguageChooser(*chooser_, *this, currentLanguage_);
    }
}

void MainWindow::FormActivate() {
    if (currentLanguage_ != kNoLanguage) {
        applyLanguage(currentLanguage_);
        tellSettingsDamage();
        return;
    }
    showLanguageChooser();
    if (currentLanguage_ == kNoLanguage) {
        currentLanguage_ = kEnglish;
    }
    applyLanguage(currentLanguage_);
    tellSettingsDamage();
    emit helpRequested(200);
}

void MainWindow::tellSettingsDamage() {
    // Once the language is in force, so the box speaks it.
    if (const auto damage = settings_.takeDamage()) {
        dialogs_.showMessage(
            this, text(MessageKey::errSettingsDamaged) + QLatin1Char('\n') + damage->copyPath,
            text(MessageKey::capMessage), QMessageBox::Warning);
    }
}

// --- Closing ---------------------------------------------------------------------------------

void MainWindow::FormClose() {
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

void MainWindow::closeEvent(QCloseEvent* event) {
    if (running_) {
        // The run's handler is still on the stack: stop it, and close once it has returned.
        closeRequested_ = true;
        run_.requestAbort();
        event->ignore();
        return;
    }
    event->accept();
    if (!closedOnce_) {
        closedOnce_ = true;
        guard([this] { FormClose(); }); // a failed write is shown, and the window still closes
        emit closed();
    }
}

// --- Activation and size ---------------------------------------------------------------------

void MainWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!activated_ && windowHandle() != nullptr) {
        windowHandle()->installEventFilter(this);
    }
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == windowHandle() && event->type() == QEvent::Expose && !activated_ &&
        windowHandle()->isExposed()) {
        // Without a window manager nobody activates the window: ask for it once it is mapped.
        QTimer::singleShot(0, this, [this] {
            if (!activated_ && !isActiveWindow()) {
                activateWindow();
            }
        });
    }
    return QWidget::eventFilter(watched, event);
}

void MainWindow::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && !activated_) {
        activated_ = true;
        if (windowHandle() != nullptr) {
            windowHandle()->removeEventFilter(this);
        }
        adoptFrameForStoredSize();
        // After the activation has been handled, so the chooser can open over the window.
        QTimer::singleShot(0, this, [this] {
            guard([this] { FormActivate(); });
            guard([this] { applyOperands(); }); // the command line's, after the language
        });
    }
}

void MainWindow::adoptFrameForStoredSize() {
    if (!storedOuterSize_ || !isVisible()) {
        return;
    }
    if (size() != *storedOuterSize_ || isMaximized()) {
        storedOuterSize_.reset(); // resized since, by the user or the window manager
        return;
    }
    // The window manager tells its frame some time after the window is mapped; without one there
    // is no frame, and the stored size is the client size.
    const QSize frame = frameGeometry().size() - geometry().size();
    if (frame == QSize(0, 0)) {
        return;
    }
    const QSize outer = *storedOuterSize_;
    storedOuterSize_.reset();
    resize(outer - QSize(storedWidthIsOuter_ ? frame.width() : 0,
                         storedHeightIsOuter_ ? frame.height() : 0));
}

void MainWindow::moveEvent(QMoveEvent* event) {
    QWidget::moveEvent(event);
    adoptFrameForStoredSize();
}

void MainWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    adoptFrameForStoredSize();
    guard([this] { FormResize(); });
}

void MainWindow::FormResize() {
    const FormGeometry g = formResize(width(), height());
    Ui::MainWindow& ui = *ui_;
    ui.Panel3->setGeometry(0, 0, width(), ui.Panel3->height());
    ui.Panel1->resize(g.panelWidth, g.panelHeight);
    ui.Panel2->setGeometry(g.panel2Left, ui.Panel2->y(), g.panelWidth, g.panelHeight);
    ui.Label4->move(g.label4Left, ui.Label4->y());
    ui.Panel4->resize(g.panel4Width, ui.Panel4->height());
    ui.ProgressBar1->resize(g.progressWidth, ui.ProgressBar1->height());
    ui.GroupBox1->setGeometry(ui.GroupBox1->x(), g.groupBoxTop, g.groupBoxWidth,
                              ui.GroupBox1->height());
    ui.CheckBoxSoloDim->resize(g.fastCheckWidth, ui.CheckBoxSoloDim->height());
    ui.StatusBar1->setGeometry(0, height() - ui.StatusBar1->height(), width(),
                               ui.StatusBar1->height());
    Panel1Resize();
    Panel2Resize();
    Panel3Resize();
    refitTexts();
}

void MainWindow::Panel1Resize() {
    Ui::MainWindow& ui = *ui_;
    const Panel1Geometry g = panel1Resize(ui.Panel1->width(), ui.Panel1->height(),
                                          ui.BitBtn5->width(), ui.BitBtn2->width());
    ui.BitBtn5->move(g.copyButtonLeft, ui.BitBtn5->y());
    ui.Bevel1->resize(g.bevelWidth, ui.Bevel1->height());
    ui.FileListBox1->resize(g.fileListWidth, g.fileListHeight);
    ui.CheckBoxRecurse->resize(g.checkBoxWidth, ui.CheckBoxRecurse->height());
    ui.CheckBoxSoloDiversi->resize(g.checkBoxWidth, ui.CheckBoxSoloDiversi->height());
    ui.Label1->resize(g.pathLabelWidth, ui.Label1->height());
    ui.BitBtn2->move(g.browseLeft, ui.BitBtn2->y());
    refreshLeftPanel();
}

void MainWindow::Panel2Resize() {
    Ui::MainWindow& ui = *ui_;
    const Panel2Geometry g =
        panel2Resize(ui.Panel2->width(), ui.Panel2->height(), ui.BitBtn3->width());
    ui.Bevel2->resize(g.bevelWidth, ui.Bevel2->height());
    ui.FileListBox2->resize(g.fileListWidth, g.fileListHeight);
    ui.Label2->resize(g.pathLabelWidth, ui.Label2->height());
    ui.BitBtn3->move(g.browseLeft, ui.BitBtn3->y());
    refreshRightPanel();
}

void MainWindow::Panel3Resize() {
    Ui::MainWindow& ui = *ui_;
    const Panel3Geometry g = panel3Resize(ui.Panel3->width());
    ui.SpeedButton5->move(g.viewReportLeft, ui.SpeedButton5->y());
    ui.SpeedButton6->move(g.helpLeft, ui.SpeedButton6->y());
    ui.SpeedButton7->move(g.languageLeft, ui.SpeedButton7->y());
    ui.SpeedButton4->move(g.startLeft, ui.SpeedButton4->y());
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

std::optional<std::string> MainWindow::browseForFolder(const QString& prompt, int side) {
    const std::string& start = side == 2 ? rightDirectory_ : leftDirectory_;
    const auto chosen = dialogs_.chooseDirectory(this, prompt, toQString(start));
    if (!chosen || chosen->isEmpty()) {
        return std::nullopt;
    }
    return toBytes(*chosen);
}

void MainWindow::showError(MessageKey key) {
    dialogs_.showMessage(this, text(key), text(MessageKey::capError), QMessageBox::Critical);
}

std::optional<std::string> MainWindow::chooseExistingDirectory(int side) {
    const auto chosen = browseForFolder(text(MessageKey::txtChooseDirectory), side);
    if (chosen && !isExistingDirectory(*chosen)) {
        showError(MessageKey::errInvalidDirectory);
        return std::nullopt;
    }
    return chosen;
}

void MainWindow::sfoglia1() {
    if (const auto chosen = chooseExistingDirectory(1)) {
        leftDirectory_ = *chosen;
        refreshLeftPanel();
    }
}

void MainWindow::sfoglia2() {
    if (const auto chosen = chooseExistingDirectory(2)) {
        rightDirectory_ = *chosen;
        refreshRightPanel();
    }
}

void MainWindow::BitBtn5Click() {
    leftDirectory_ = rightDirectory_;
    refreshLeftPanel();
}

void MainWindow::BitBtn4Click() {
    rightDirectory_ = leftDirectory_;
    refreshRightPanel();
}

} // namespace quorvel
