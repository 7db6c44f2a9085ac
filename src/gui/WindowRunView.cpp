#include "gui/WindowRunView.h"

#include "gui/Dialogs.h"
#include "gui/MainWindow.h"
#include "gui/QtText.h"
#include "ui_MainWindow.h"

#include <QCoreApplication>

#include <algorithm>

namespace quorvel {

WindowRunView::WindowRunView(MainWindow& window) : window_(window) {
    sincePaint_.start();
    sinceEvents_.start();
}

CompareMode WindowRunView::compareMode() {
    const Ui::MainWindow& ui = *window_.ui_;
    if (ui.SpeedButton1->isChecked()) {
        return CompareMode::FileWithFile;
    }
    if (ui.SpeedButton2->isChecked()) {
        return CompareMode::FilesWithDirectory;
    }
    if (ui.SpeedButton3->isChecked()) {
        return CompareMode::DirectoryWithDirectory;
    }
    return CompareMode::None;
}

std::string WindowRunView::leftDirectory() {
    return window_.leftDirectory_;
}

std::string WindowRunView::rightDirectory() {
    return window_.rightDirectory_;
}

std::vector<std::string> WindowRunView::selectedLeftFiles() {
    QModelIndexList rows = window_.ui_->FileListBox1->selectionModel()->selectedRows();
    std::sort(rows.begin(), rows.end(),
              [](const QModelIndex& a, const QModelIndex& b) { return a.row() < b.row(); });
    std::vector<std::string> names;
    names.reserve(static_cast<std::size_t>(rows.size()));
    for (const QModelIndex& row : rows) {
        names.push_back(window_.leftFiles_.nameAt(row.row()));
    }
    return names;
}

std::optional<std::string> WindowRunView::selectedRightFile() {
    const QModelIndexList rows = window_.ui_->FileListBox2->selectionModel()->selectedRows();
    if (rows.isEmpty()) {
        return std::nullopt;
    }
    return window_.rightFiles_.nameAt(rows.front().row());
}

CompareOptions WindowRunView::compareOptions() {
    const Ui::MainWindow& ui = *window_.ui_;
    CompareOptions options;
    options.fast = ui.CheckBoxSoloDim->isChecked();
    options.recurse = ui.CheckBoxRecurse->isChecked();
    options.onlyDifferent = ui.CheckBoxSoloDiversi->isChecked();
    options.filter = toBytes(ui.EditFiltro->text());
    return options;
}

std::string WindowRunView::filterCaption() {
    return toBytes(window_.ui_->Label6->text());
}

std::string WindowRunView::fastCaption() {
    return toBytes(window_.ui_->CheckBoxSoloDim->text());
}

void WindowRunView::setControlsEnabled(bool enabled) {
    const Ui::MainWindow& ui = *window_.ui_;
    if (enabled) {
        flush();
    }
    for (QWidget* w : {static_cast<QWidget*>(ui.Panel1), static_cast<QWidget*>(ui.Panel2),
                       static_cast<QWidget*>(ui.Panel3), static_cast<QWidget*>(ui.GroupBox1)}) {
        w->setEnabled(enabled);
    }
}

void WindowRunView::setVisible(QWidget* widget, bool visible) {
    if (widget->isVisibleTo(&window_) == visible) {
        return;
    }
    flush();
    widget->setVisible(visible);
    paintNow_ = true;
}

void WindowRunView::setSideCaptionsVisible(bool visible) {
    setVisible(window_.ui_->Label3, visible);
    setVisible(window_.ui_->Label4, visible);
}

void WindowRunView::setProgressVisible(bool visible) {
    setVisible(window_.ui_->ProgressBar1, visible);
}

bool WindowRunView::progressVisible() {
    return window_.ui_->ProgressBar1->isVisibleTo(&window_);
}

void WindowRunView::setProgress(int percent) {
    progress_ = percent;
}

void WindowRunView::setAbortVisible(bool visible) {
    setVisible(window_.ui_->BitBtn1, visible);
}

void WindowRunView::setFileStatus(std::string_view text) {
    fileStatus_ = std::string(text);
}

void WindowRunView::setFileStatusVisible(bool visible) {
    setVisible(window_.ui_->Label5, visible);
}

void WindowRunView::setDirectoryStatus(std::string_view text) {
    directoryStatus_ = std::string(text);
}

void WindowRunView::setDirectoryStatusVisible(bool visible) {
    setVisible(window_.ui_->Label11, visible);
}

void WindowRunView::setGuidance(std::string_view line1, std::string_view line2) {
    guidance_.emplace(line1, line2);
}

void WindowRunView::flush() {
    const Ui::MainWindow& ui = *window_.ui_;
    if (fileStatus_) {
        window_.setLabelText(ui.Label5, toQString(*fileStatus_));
        fileStatus_.reset();
    }
    if (directoryStatus_) {
        window_.setLabelText(ui.Label11, toQString(*directoryStatus_));
        directoryStatus_.reset();
    }
    if (guidance_) {
        window_.setLabelText(ui.LabelTutor1, toQString(guidance_->first));
        window_.setLabelText(ui.LabelTutor2, toQString(guidance_->second));
        guidance_.reset();
    }
    if (progress_) {
        ui.ProgressBar1->setValue(*progress_);
        progress_.reset();
    }
    sincePaint_.restart();
}

void WindowRunView::processEvents() {
    // Asking the window system for input costs a system call, so it is asked at most every few
    // milliseconds; that is still well within what a click needs to feel answered.
    const bool paintDue = paintNow_ || sincePaint_.elapsed() >= kPaintIntervalMs;
    if (!paintDue && sinceEvents_.elapsed() < kEventIntervalMs) {
        return;
    }
    if (paintDue) {
        flush();
        paintNow_ = false;
    }
    QCoreApplication::processEvents();
    sinceEvents_.restart();
}

void WindowRunView::showError(std::string_view text, std::string_view caption) {
    flush();
    window_.dialogs_.showMessage(&window_, toQString(text), toQString(caption),
                                 QMessageBox::Critical);
}

bool WindowRunView::askYesNo(std::string_view text, std::string_view caption, Icon icon) {
    flush();
    if (window_.closeRequested_) {
        return false; // the window is closing: nobody is left to read the report
    }
    return window_.dialogs_.askYesNo(&window_, toQString(text), toQString(caption),
                                     icon == Icon::Stop ? QMessageBox::Critical
                                                        : QMessageBox::Information);
}

void WindowRunView::showReport() {
    window_.showReportWindow(); // as the view-report button does
}

} // namespace quorvel
