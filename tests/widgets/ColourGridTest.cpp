#include "widgets/ColourGrid.h"

#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace quorvel {
namespace {

TEST(ColourGridTest, TheSignalComesOncePerChangeAndNotForTheSameColour) {
    ColourGrid grid;
    QSignalSpy changed(&grid, &ColourGrid::currentColourChanged);
    grid.setCurrentColour(QColor(Qt::red));
    grid.setCurrentColour(QColor(Qt::red));
    grid.setCurrentColour(QColor());
    ASSERT_EQ(changed.count(), 1);
    EXPECT_EQ(changed.at(0).at(0).value<QColor>(), QColor(Qt::red));
    EXPECT_EQ(grid.currentColour(), QColor(Qt::red));
}

TEST(ColourGridTest, ArrowKeysStayInsideTheGrid) {
    ColourGrid grid;
    grid.setColours({Qt::red, Qt::green, Qt::blue, Qt::cyan, Qt::magenta});
    grid.setColumns(3);
    struct Row {
        const char* name;
        int from;
        Qt::Key key;
        int to;
    };
    const Row rows[] = {
        {"left at the start of a row", 3, Qt::Key_Left, 3},
        {"right at the end of a row", 2, Qt::Key_Right, 2},
        {"right to the next swatch", 3, Qt::Key_Right, 4},
        {"up from the top row", 1, Qt::Key_Up, 1},
        {"down where the last row is short", 2, Qt::Key_Down, 2},
        {"down where it is not", 1, Qt::Key_Down, 4},
        {"end", 0, Qt::Key_End, 4},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        grid.setCurrentColour(grid.colours().at(row.from));
        QTest::keyClick(&grid, row.key);
        EXPECT_EQ(grid.currentIndex(), row.to);
    }
    grid.setCurrentColour(Qt::yellow);
    EXPECT_EQ(grid.currentIndex(), -1) << "a colour not among the swatches marks none";
    QTest::keyClick(&grid, Qt::Key_Right);
    EXPECT_EQ(grid.currentIndex(), 0) << "the keys start again from the first swatch";
}

TEST(ColourGridTest, AClickChoosesTheSwatchUnderIt) {
    ColourGrid grid;
    grid.resize(grid.sizeHint());
    const int index = 13;
    QTest::mouseClick(&grid, Qt::LeftButton, {}, grid.swatchRect(index).center());
    EXPECT_EQ(grid.currentColour(), grid.colours().at(index));
    EXPECT_EQ(grid.indexAt(QPoint(0, 0)), -1) << "the gap round the swatches";
}

} // namespace
} // namespace quorvel
