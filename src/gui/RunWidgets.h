#pragma once

#include <QString>

#include <array>
#include <functional>

class QAbstractButton;
class QLabel;
class QProgressBar;
class QWidget;

namespace Ui {
class MainWindow;
}

namespace quorvel {

// The main window's controls that show a run's state.
struct RunWidgets {
    std::array<QWidget*, 4> controls{};    // disabled while a run goes on
    std::array<QLabel*, 2> sideCaptions{}; // hidden in directory mode
    std::array<QLabel*, 2> guidance{};     // the running counts
    QProgressBar* progressBar = nullptr;
    QAbstractButton* abortButton = nullptr;
    QLabel* fileStatus = nullptr;
    QLabel* directoryStatus = nullptr;
    // Sets a label's text as the window fits it.
    std::function<void(QLabel*, const QString&)> setText;
};

// The main window's form's controls that show a run's state.
RunWidgets runWidgetsOf(const Ui::MainWindow& form,
                        std::function<void(QLabel*, const QString&)> setText);

} // namespace quorvel
