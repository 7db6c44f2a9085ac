#pragma once

#include <QMessageBox>
#include <QString>

#include <optional>

class QWidget;

namespace quorvel {

// The modal boxes and the folder chooser of the main window. The program shows the platform's
// own; tests answer them without waiting for a click.
class Dialogs {
public:
    virtual ~Dialogs() = default;

    // The standard error display: the failure's message, the application's title as caption, an
    // error icon and one OK button.
    virtual void showFailure(QWidget* parent, const QString& message) = 0;
    // A box with one OK button.
    virtual void showMessage(QWidget* parent, const QString& text, const QString& caption,
                             QMessageBox::Icon icon) = 0;
    virtual bool askYesNo(QWidget* parent, const QString& text, const QString& caption,
                          QMessageBox::Icon icon) = 0;
    // Directories only, opened at `start`; nothing when cancelled.
    virtual std::optional<QString> chooseDirectory(QWidget* parent, const QString& title,
                                                   const QString& start) = 0;
};

} // namespace quorvel
