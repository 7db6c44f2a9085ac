#pragma once

#include "gui/TextFitter.h"
#include "lang/LanguageId.h"

#include <QString>

class QButtonGroup;
class QLabel;
class QWidget;

namespace Ui {
class MainWindow;
}

namespace quorvel {

// The main window's captions, hints and accessible names in a language, fitted into the design
// boxes. Translations are longer than the design texts, and the boxes do not grow.
class MainWindowTexts {
public:
    MainWindowTexts(QWidget& window, Ui::MainWindow& ui) : window_(window), ui_(ui) {}

    // The design fonts, colours and pictures; before any text is set.
    void applyDesignLook();
    // The texts of language `id`; the mode buttons are those of `modes`, in the order of the
    // mode table.
    void apply(LanguageId id, const QButtonGroup& modes);
    // A label's text and accessible name; the path labels and the status bar keep their width,
    // the others fit their text into the room they have.
    void setLabelText(QLabel* label, const QString& text);
    // Fits every text again, after the window's size changed.
    void refit();

private:
    int availableWidth(const QLabel* label) const;

    QWidget& window_;
    Ui::MainWindow& ui_;
    TextFitter fitter_;
};

} // namespace quorvel
