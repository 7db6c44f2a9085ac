#include "gui/WindowPlacer.h"

#include "gui/ScreenPlacement.h"

#include <QEvent>
#include <QTimer>
#include <QWidget>
#include <QWindow>

namespace quorvel {

WindowPlacer::WindowPlacer(QWidget& window) : window_(window) {
    window_.installEventFilter(this);
}

bool WindowPlacer::placeAt(QWidget& window, std::optional<int> left, std::optional<int> top) {
    if (!left && !top) {
        return false;
    }
    window.move(left.value_or(window.x()), top.value_or(window.y()));
    window.move(placeOnScreens(QRect(window.pos(), window.size())));
    return true;
}

QSize WindowPlacer::frameSize(const QWidget& window) {
    return window.frameGeometry().size() - window.geometry().size();
}

void WindowPlacer::resizeOuter(std::optional<int> width, std::optional<int> height) {
    if (!width && !height) {
        return;
    }
    widthIsOuter_ = width.has_value();
    heightIsOuter_ = height.has_value();
    storedOuterSize_ = QSize(width.value_or(window_.width()), height.value_or(window_.height()));
    window_.resize(*storedOuterSize_);
}

void WindowPlacer::show() {
    if (startMaximized_) {
        window_.showMaximized();
    } else {
        window_.show();
    }
}

void WindowPlacer::adoptFrame() {
    if (!storedOuterSize_ || !window_.isVisible()) {
        return;
    }
    if (window_.size() != *storedOuterSize_ || window_.isMaximized()) {
        storedOuterSize_.reset(); // resized since, by the user or the window manager
        return;
    }
    const QSize frame = frameSize(window_);
    if (frame == QSize(0, 0)) {
        return;
    }
    const QSize outer = *storedOuterSize_;
    storedOuterSize_.reset();
    window_.resize(outer -
                   QSize(widthIsOuter_ ? frame.width() : 0, heightIsOuter_ ? frame.height() : 0));
}

void WindowPlacer::activated() {
    activated_ = true;
    if (window_.windowHandle() != nullptr) {
        window_.windowHandle()->removeEventFilter(this);
    }
    adoptFrame();
    QTimer::singleShot(0, &window_, [this] {
        if (firstActivation_) {
            firstActivation_();
        }
        firstActivationHandled_ = true;
    });
}

bool WindowPlacer::eventFilter(QObject* watched, QEvent* event) {
    QWindow* const handle = window_.windowHandle();
    if (watched == handle) {
        if (event->type() == QEvent::Expose && !activated_ && handle->isExposed()) {
            // Without a window manager nobody activates the window: ask for it once it is mapped.
            QTimer::singleShot(0, &window_, [this] {
                if (!activated_ && !window_.isActiveWindow()) {
                    window_.activateWindow();
                }
            });
        }
        return false;
    }
    switch (event->type()) {
    case QEvent::Show:
        if (!activated_ && handle != nullptr) {
            handle->installEventFilter(this);
        }
        break;
    case QEvent::ActivationChange:
        if (window_.isActiveWindow() && !activated_) {
            activated();
        }
        break;
    case QEvent::Move:
    case QEvent::Resize:
        adoptFrame();
        break;
    default:
        break;
    }
    return false;
}

} // namespace quorvel
