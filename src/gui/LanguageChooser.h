#pragma once

#include "lang/LanguageId.h"

#include <QDialog>

#include <memory>
#include <optional>

class QButtonGroup;
class QWidget;

namespace Ui {
class LanguageChooser;
}

namespace quorvel {

// The small modal window listing the six languages (FormLang). Its texts stand in all six
// languages at once and never change with the language in force. It applies nothing: its caller
// does.
class LanguageChooser : public QDialog {
    Q_OBJECT

public:
    explicit LanguageChooser(QWidget* parent = nullptr);
    ~LanguageChooser() override;

    // Shows the chooser modally at its current place; Ok sets `currentLanguage`, the close box and
    // Escape leave it as it was.
    void choose(LanguageId& currentLanguage);

    // The item selected now, counted from 0, or none.
    std::optional<int> selectedItem() const;

    // Runs each time the chooser is shown: selects the item of the language in force.
    void FormActivate();
    // Ok: the selected item's language, or none chosen (0) when no item is selected.
    void Button1Click();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void select(std::optional<int> item);

    std::unique_ptr<Ui::LanguageChooser> ui_;
    QButtonGroup* items_;
    LanguageId* currentLanguage_ = nullptr;
};

// Places the chooser over `mainWindow` (outer frames, screen coordinates) and shows it modally;
// returns when it closes. The outcome is `currentLanguage` afterwards.
void showLanguageChooser(LanguageChooser& chooser, const QWidget& mainWindow,
                         LanguageId& currentLanguage);

} // namespace quorvel
