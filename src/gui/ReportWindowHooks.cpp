#include "gui/ReportWindowHooks.h"

#include "gui/FontColorDialog.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QUrl>

namespace quorvel {

namespace {

// Gives a name typed without extension that of the file type chosen, before the dialog asks
// about replacing, so it asks about the file that will be written.
class SaveDialog : public QFileDialog {
public:
    SaveDialog(QWidget* parent, const SaveRequest& request)
        : QFileDialog(parent, request.title), request_(request) {}

protected:
    void accept() override {
        const qsizetype i = request_.nameFilters.indexOf(selectedNameFilter());
        setDefaultSuffix(i >= 0 && i < request_.extensions.size() ? request_.extensions[i]
                                                                  : QString());
        QFileDialog::accept();
    }

private:
    const SaveRequest& request_;
};

std::optional<SaveChoice> runSaveDialog(QWidget* parent, const SaveRequest& request) {
    SaveDialog dialog(parent, request);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilters(request.nameFilters);
    if (request.entry >= 0 && request.entry < request.nameFilters.size()) {
        dialog.selectNameFilter(request.nameFilters[request.entry]);
    }
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
