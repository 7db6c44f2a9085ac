#include "gui/ReportWindowFixture.h"

#include <QGuiApplication>
#include <QPushButton>
#include <QScreen>
#include <QToolButton>

#include <climits>

namespace quorvel::test {
namespace {

using ReportWindowPlaceTest = ReportWindowFixture;

// Every button lies whole inside the window, above the bottom edge.
void expectButtonsShow(QWidget& window) {
    for (QAbstractButton* button : window.findChildren<QAbstractButton*>()) {
        SCOPED_TRACE(button->objectName().toStdString());
        const QRect place(button->mapTo(&window, QPoint(0, 0)), button->size());
        EXPECT_TRUE(window.rect().contains(place))
            << place.x() << "," << place.y() << " " << place.width() << "x" << place.height()
            << " in " << window.width() << "x" << window.height();
    }
}

TEST_F(ReportWindowPlaceTest, AStoredSizeTooSmallForTheButtonsIsBroughtUpToOne) {
    const std::pair<int, int> sizes[] = {{1, 1}, {-200, -5}, {INT_MIN, 40}, {300, 0}};
    for (const auto& [width, height] : sizes) {
        SCOPED_TRACE(std::to_string(width) + "x" + std::to_string(height));
        ReportWindowSettings settings;
        settings.width = width;
        settings.height = height;
        makeWindow(settings);
        window_->applyInterfaceTexts(kGerman); // the widest captions
        window_->show();
        expectButtonsShow(*window_);
        EXPECT_GT(window_->height(), 41 + 40) << "room for some rows of the report";
        // Nor can the user drag it smaller.
        window_->resize(1, 1);
        expectButtonsShow(*window_);
        EXPECT_EQ(window_->closingBounds().width, window_->width());
    }
}

TEST_F(ReportWindowPlaceTest, AStoredPlaceOffEveryScreenComesOntoTheNearestKeepingItsSize) {
    ReportWindowSettings settings;
    settings.left = -10000;
    settings.top = -10000;
    settings.width = 600;
    settings.height = 300;
    makeWindow(settings);
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    const WindowBounds bounds = window_->closingBounds();
    EXPECT_TRUE(screen.contains(QRect(bounds.left, bounds.top, bounds.width, bounds.height)))
        << bounds.left << "," << bounds.top;
    EXPECT_EQ(bounds.width, 600);
    EXPECT_EQ(bounds.height, 300);

    // Partly off the screen, with its title bar in reach, it stays where it was put.
    settings.left = screen.left() - 150;
    settings.top = screen.top() + 10;
    makeWindow(settings);
    EXPECT_EQ(window_->closingBounds().left, screen.left() - 150);
    EXPECT_EQ(window_->closingBounds().top, screen.top() + 10);
}

TEST_F(ReportWindowPlaceTest, AWindowNeverShownKeepsThePlaceItWasGivenOrNone) {
    makeWindow(ReportWindowSettings());
    EXPECT_FALSE(window_->closingBounds().placed) << "the window system still chooses";

    ReportWindowSettings settings;
    settings.left = 30;
    settings.top = 40;
    makeWindow(settings);
    EXPECT_TRUE(window_->closingBounds().placed);
    EXPECT_EQ(window_->closingBounds().left, 30);
    EXPECT_EQ(window_->closingBounds().top, 40);

    makeWindow(ReportWindowSettings());
    window_->show();
    window_->hide();
    EXPECT_TRUE(window_->closingBounds().placed) << "shown, it has a place of its own";
}

} // namespace
} // namespace quorvel::test
