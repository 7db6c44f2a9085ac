#pragma once

#include "gui/Dialogs.h"

namespace quorvel {

// The platform's message boxes and directory chooser.
class StandardDialogs : public Dialogs {
public:
    void showFailure(QWidget* parent, const QString& message) override;
    void showMessage(QWidget* parent, const QString& text, const QString& caption,
                     QMessageBox::Icon icon) override;
    bool askYesNo(QWidget* parent, const QString& text, const QString& caption,
                  QMessageBox::Icon icon) override;
    std::optional<QString> chooseDirectory(QWidget* parent, const QString& title,
                                           const QString& start) override;
};

} // namespace quorvel
