#include "gui/ModalClosing.h"

#include <QApplication>
#include <QWidget>

namespace quorvel {

void closeModalWindows() {
    // Each close ends that window's own event loop once control returns to it; a window that
    // refuses to close is left, so this never spins.
    QWidget* last = nullptr;
    while (QWidget* modal = QApplication::activeModalWidget()) {
        if (modal == last) {
            break;
        }
        last = modal;
        modal->close();
    }
}

} // namespace quorvel
