#include "widgets/ColourGrid.h"

#include <QAccessible>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

#include <limits>

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

TEST(ColourGridTest, HugeColumnsAndSwatchesKeepEverySizeInBounds) {
    struct Row {
        const char* name;
        int columns;
        int swatchSize;
        Qt::LayoutDirection direction;
        int swatchSizeAfter;
    };
    const int most = std::numeric_limits<int>::max();
    const Row rows[] = {
        {"a hundred million columns", 100'000'000, 20, Qt::LeftToRight, 20},
        {"as many, right to left", most, 20, Qt::RightToLeft, 20},
        {"a swatch of 2^31-1 pixels", 8, most, Qt::LeftToRight, QWIDGETSIZE_MAX},
        {"a swatch below the least", 8, 0, Qt::LeftToRight, 4},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        ColourGrid grid;
        grid.setLayoutDirection(row.direction);
        grid.setColumns(row.columns);
        grid.setSwatchSize(row.swatchSize);
        EXPECT_EQ(grid.swatchSize(), row.swatchSizeAfter);
        const QSize hint = grid.sizeHint();
        EXPECT_GT(hint.width(), 0);
        EXPECT_GT(hint.height(), 0);
        EXPECT_LE(hint.width(), QWIDGETSIZE_MAX);
        EXPECT_LE(hint.height(), QWIDGETSIZE_MAX);
        const int last = static_cast<int>(grid.colours().size()) - 1;
        for (const int index : {0, last}) {
            const QRect swatch = grid.swatchRect(index);
            EXPECT_TRUE(swatch.isValid());
            EXPECT_GE(swatch.left(), 0);
            EXPECT_GE(swatch.top(), 0);
        }
        // Down from the last swatch has nowhere to go, however many the columns.
        grid.setCurrentColour(grid.colours().at(last));
        QTest::keyClick(&grid, Qt::Key_Down);
        EXPECT_EQ(grid.currentIndex(), last);
        grid.resize(120, 120);
        EXPECT_FALSE(grid.grab().isNull());
    }
}

TEST(ColourGridTest, AScreenReaderHearsEachSwatchByItsColour) {
    ColourGrid grid;
    grid.setColours({Qt::red, QColor(1, 2, 3), Qt::white, QColor(0, 255, 255)});
    grid.setColumns(2);
    grid.setCurrentColour(Qt::white);
    grid.resize(grid.sizeHint());
    QAccessibleInterface* list = QAccessible::queryAccessibleInterface(&grid);
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->role(), QAccessible::List);
    ASSERT_EQ(list->childCount(), 4);
    struct Row {
        const char* name;
        int index;
        QString heard;
        QString value;
        bool selected;
    };
    const Row rows[] = {
        {"a colour with a name", 0, QStringLiteral("red"), QStringLiteral("#ff0000"), false},
        {"a colour without one", 1, QStringLiteral("#010203"), QStringLiteral("#010203"), false},
        {"the chosen colour", 2, QStringLiteral("white"), QStringLiteral("#ffffff"), true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        QAccessibleInterface* item = list->child(row.index);
        ASSERT_NE(item, nullptr);
        EXPECT_EQ(item, list->child(row.index)) << "one interface for a swatch";
        EXPECT_EQ(item->role(), QAccessible::ListItem);
        EXPECT_EQ(item->text(QAccessible::Name), row.heard);
        EXPECT_EQ(item->text(QAccessible::Value), row.value);
        EXPECT_EQ(item->state().selected, row.selected);
        EXPECT_EQ(item->parent(), list);
        EXPECT_EQ(list->indexOfChild(item), row.index);
        const QPoint centre = grid.mapToGlobal(grid.swatchRect(row.index).center());
        EXPECT_EQ(list->childAt(centre.x(), centre.y()), item);
        EXPECT_EQ(item->rect().center(), centre);
    }
    EXPECT_EQ(list->child(4), nullptr);
    QAccessibleInterface* last = list->child(3);
    grid.setColours({Qt::black});
    EXPECT_EQ(list->childCount(), 1);
    EXPECT_FALSE(last->isValid()) << "a swatch no longer there";
    EXPECT_EQ(list->child(0)->text(QAccessible::Name), QStringLiteral("black"));
}

} // namespace
} // namespace quorvel
