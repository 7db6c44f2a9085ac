#include "gui/ScreenPlacement.h"

#include <QGuiApplication>
#include <QScreen>

#include <algorithm>
#include <cstdlib>
#include <limits>

namespace quorvel {

namespace {

bool titleBarShows(const QRect& window, const QRect& screen) {
    const QRect titleBar(window.topLeft(), QSize(window.width(), kTitleBarHeight));
    const QRect shown = titleBar & screen;
    return shown.height() >= kTitleBarHeight &&
           shown.width() >= std::min(kUsableTitleWidth, window.width());
}

// How far apart two rectangles are, 0 when they meet.
long long gap(const QRect& a, const QRect& b) {
    const long long dx = std::max({0, b.left() - a.right(), a.left() - b.right()});
    const long long dy = std::max({0, b.top() - a.bottom(), a.top() - b.bottom()});
    return dx * dx + dy * dy;
}

int fitInto(int start, int length, int low, int size) {
    return std::max(low, std::min(start, low + size - length));
}

} // namespace

QPoint placeOnScreens(const QRect& window, const QList<QRect>& screens) {
    const QRect* nearest = nullptr;
    long long nearestGap = std::numeric_limits<long long>::max();
    for (const QRect& screen : screens) {
        if (titleBarShows(window, screen)) {
            return window.topLeft();
        }
        if (const long long g = gap(window, screen); g < nearestGap) {
            nearestGap = g;
            nearest = &screen;
        }
    }
    if (nearest == nullptr) {
        return window.topLeft();
    }
    return {fitInto(window.left(), window.width(), nearest->left(), nearest->width()),
            fitInto(window.top(), window.height(), nearest->top(), nearest->height())};
}

QPoint placeOnScreens(const QRect& window) {
    QList<QRect> areas;
    for (const QScreen* screen : QGuiApplication::screens()) {
        areas.append(screen->availableGeometry());
    }
    return placeOnScreens(window, areas);
}

} // namespace quorvel
