#include "gui/ScreenPlacement.h"

#include <gtest/gtest.h>

namespace quorvel {
namespace {

TEST(ScreenPlacementTest, AWindowWhoseTitleBarIsOutOfReachGoesOntoTheNearestScreen) {
    const QList<QRect> twoScreens = {QRect(0, 0, 1024, 768), QRect(1024, 0, 1280, 1024)};
    struct Row {
        const char* name;
        QRect window;
        QPoint expected;
    };
    const Row rows[] = {
        {"inside", QRect(100, 100, 500, 400), QPoint(100, 100)},
        {"title bar partly out, 100 pixels in", QRect(-400, 20, 500, 400), QPoint(-400, 20)},
        {"across both screens", QRect(900, 50, 500, 400), QPoint(900, 50)},
        {"far up and left", QRect(-10000, -10000, 500, 400), QPoint(0, 0)},
        {"only 60 pixels of title bar", QRect(-440, 20, 500, 400), QPoint(0, 20)},
        {"title bar above the top", QRect(200, -20, 500, 400), QPoint(200, 0)},
        {"beyond the second screen", QRect(5000, 900, 500, 400), QPoint(1804, 624)},
        {"below the first screen only", QRect(100, 900, 500, 400), QPoint(100, 368)},
        {"bigger than the screen", QRect(-3000, 100, 2000, 300), QPoint(0, 100)},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(placeOnScreens(row.window, twoScreens), row.expected);
    }
    EXPECT_EQ(placeOnScreens(QRect(-10000, 5, 10, 10), {}), QPoint(-10000, 5));
}

} // namespace
} // namespace quorvel
