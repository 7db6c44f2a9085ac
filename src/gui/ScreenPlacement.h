#pragma once

#include <QList>
#include <QPoint>
#include <QRect>

namespace quorvel {

// How much of a window must be on a screen to be of use: its title bar, over this width.
inline constexpr int kUsableTitleWidth = 100;
inline constexpr int kTitleBarHeight = 30;

// Where a window with outer bounds `window` goes among `screens` (their available areas): where
// it is while its title bar shows over kUsableTitleWidth pixels (or its whole width, if
// narrower) on one screen; otherwise onto the nearest screen, as far as it fits, keeping its size.
// Without screens it stays.
QPoint placeOnScreens(const QRect& window, const QList<QRect>& screens);

// The same against the screens of the running application.
QPoint placeOnScreens(const QRect& window);

} // namespace quorvel
