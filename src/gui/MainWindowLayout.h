#pragma once

namespace Ui {
class MainWindow;
}

namespace quorvel {

// Moves and stretches the main window's controls for a client size of `width` by `height`, by the
// resize rules: the window has no layout manager. The path labels and texts are fitted after.
void layOutMainWindow(Ui::MainWindow& ui, int width, int height);

} // namespace quorvel
