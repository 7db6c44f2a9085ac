#include "gui/StandardDialogs.h"

#include <QApplication>
#include <QFileDialog>

namespace quorvel {

void StandardDialogs::showFailure(QWidget* parent, const QString& message) {
    showMessage(parent, message, QApplication::applicationName(), QMessageBox::Critical);
}

void StandardDialogs::showMessage(QWidget* parent, const QString& text, const QString& caption,
                                  QMessageBox::Icon icon) {
    QMessageBox box(icon, caption, text, QMessageBox::Ok, parent);
    box.exec();
}

bool StandardDialogs::askYesNo(QWidget* parent, const QString& text, const QString& caption,
                               QMessageBox::Icon icon) {
    QMessageBox box(icon, caption, text, QMessageBox::Yes | QMessageBox::No, parent);
    return box.exec() == QMessageBox::Yes;
}

std::optional<QString> StandardDialogs::chooseDirectory(QWidget* parent, const QString& title,
                                                        const QString& start) {
    const QString chosen =
        QFileDialog::getExistingDirectory(parent, title, start, QFileDialog::ShowDirsOnly);
    if (chosen.isEmpty()) {
        return std::nullopt;
    }
    return chosen;
}

} // namespace quorvel
