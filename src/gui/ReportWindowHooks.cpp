#include "gui/ReportWindowHooks.h"

#include "gui/FontColorDialog.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QUrl>

#include <algorithm>

namespace quorvel {

namespace {

std::optional<SaveChoice> runSaveDialog(QWidget* parent, const SaveRequest& request) {
    QFileDialog dialog(parent, request.title);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilters(request.nameFilters);
    const int entry =
        std::clamp(request.entry, 0, static_cast<int>(request.nameFilters.size()) - 1);
    if (entry >= 0) {
        dialog.selectNameFilter(request.nameFilters[entry]);
    }
    // The dialog appends the extension before it asks about replacing, so it asks about the
    // file that will be written.
    auto suffixFor = [&request](const QString& filter) {
        const qsizetype i = request.nameFilters.indexOf(filter);
        return i >= 0 && i < request.extensions.size() ? request.extensions[i] : QString();
    };
    dialog.setDefaultSuffix(suffixFor(dialog.selectedNameFilter()));
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog,
                     [&](const QString& filter) { dialog.setDefaultSuffix(suffixFor(filter)); });
    if (!request.fileName.isEmpty()) {
        dialog.selectFile(request.fileName);
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return SaveChoice{dialog.selectedFiles().constFirst(),
                      static_cast<int>(request.nameFilters.indexOf(dialog.selectedNameFilter()))};
}

} // namespace

ReportWindowHooks desktopReportWindowHooks() {
    ReportWindowHooks hooks;
    hooks.saveDialog = runSaveDialog;
    hooks.printDialog = [](QWidget* parent, QPrinter& printer) {
        QPrintDialog dialog(&printer, parent);
        return dialog.exec() == QDialog::Accepted;
    };
    hooks.fontDialog = chooseFontAndColor;
    hooks.askYesNo = [](QWidget* parent, const QString& text, const QString& caption) {
        return QMessageBox::question(parent, caption, text, QMessageBox::Yes | QMessageBox::No,
                                     QMessageBox::Yes) == QMessageBox::Yes;
    };
    hooks.openUrl = [](const QUrl& url) { return QDesktopServices::openUrl(url); };
    hooks.showError = [](QWidget* parent, const QString& message) {
        QMessageBox::critical(parent, QApplication::applicationDisplayName(), message);
    };
    return hooks;
}

} // namespace quorvel
