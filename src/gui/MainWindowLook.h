#pragma once

class QWidget;

namespace Ui {
class MainWindow;
}

namespace quorvel {

class TextFitter;

// The main window's design fonts, colours and pictures; the pictures of the buttons whose
// captions change go to `fitter`, which shows them where they fit.
void applyDesignLook(QWidget& window, Ui::MainWindow& ui, TextFitter& fitter);

} // namespace quorvel
