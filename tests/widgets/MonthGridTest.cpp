#include "widgets/MonthGrid.h"

#include <QAccessible>
#include <QLocale>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace quorvel {
namespace {

TEST(MonthGridTest, TheGridStartsOnTheFirstDayOfTheWeekOnOrBeforeTheFirst) {
    struct Row {
        const char* name;
        int year;
        int month;
        Qt::DayOfWeek firstDay;
        QDate expected;
    };
    const Row rows[] = {
        // 1 June 2026 is a Monday.
        {"the first is the first day of the week", 2026, 6, Qt::Monday, QDate(2026, 6, 1)},
        {"the first is the last day of the week", 2026, 6, Qt::Tuesday, QDate(2026, 5, 26)},
        {"week from Sunday", 2026, 6, Qt::Sunday, QDate(2026, 5, 31)},
        // 1 March 2026 is a Sunday; February has 28 days.
        {"back into a short February", 2026, 3, Qt::Monday, QDate(2026, 2, 23)},
        {"back into a leap February", 2024, 3, Qt::Monday, QDate(2024, 2, 26)},
        {"back into the year before", 2027, 1, Qt::Monday, QDate(2026, 12, 28)},
        {"week from Saturday", 2027, 1, Qt::Saturday, QDate(2027, 1, 1).addDays(-6)},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const QDate first = MonthGrid::firstShownDate(row.year, row.month, row.firstDay);
        EXPECT_EQ(first, row.expected);
        EXPECT_EQ(first.dayOfWeek(), row.firstDay);
        // Six weeks always reach past the month's last day.
        EXPECT_GE(first.addDays(MonthGrid::weeks * MonthGrid::daysInWeek - 1),
                  QDate(row.year, row.month, 1).addMonths(1).addDays(-1));
    }
}

TEST(MonthGridTest, TheFirstDayOfTheWeekFollowsTheLocaleUntilOneIsSet) {
    MonthGrid grid;
    grid.setLocale(QLocale(QLocale::English, QLocale::UnitedStates));
    EXPECT_EQ(grid.firstDayOfWeek(), Qt::Sunday);
    grid.setLocale(QLocale(QLocale::German, QLocale::Germany));
    EXPECT_EQ(grid.firstDayOfWeek(), Qt::Monday);
    grid.setFirstDayOfWeek(Qt::Wednesday);
    grid.setLocale(QLocale(QLocale::English, QLocale::UnitedStates));
    EXPECT_EQ(grid.firstDayOfWeek(), Qt::Wednesday);
    grid.resetFirstDayOfWeek();
    EXPECT_EQ(grid.firstDayOfWeek(), Qt::Sunday);
}

TEST(MonthGridTest, KeysMoveTheDateAcrossMonthsAndYears) {
    struct Row {
        const char* name;
        QDate from;
        Qt::Key key;
        QDate to;
    };
    const Row rows[] = {
        {"a day back over the new year", QDate(2027, 1, 1), Qt::Key_Left, QDate(2026, 12, 31)},
        {"a week on into March", QDate(2026, 2, 25), Qt::Key_Down, QDate(2026, 3, 4)},
        {"a week back", QDate(2026, 3, 4), Qt::Key_Up, QDate(2026, 2, 25)},
        {"a month on from the 31st", QDate(2026, 1, 31), Qt::Key_PageDown, QDate(2026, 2, 28)},
        {"a month back into a leap February", QDate(2024, 3, 30), Qt::Key_PageUp,
         QDate(2024, 2, 29)},
        {"the month's last day", QDate(2024, 2, 3), Qt::Key_End, QDate(2024, 2, 29)},
        {"the month's first day", QDate(2024, 2, 3), Qt::Key_Home, QDate(2024, 2, 1)},
    };
    MonthGrid grid;
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        grid.setSelectedDate(row.from);
        QSignalSpy changed(&grid, &MonthGrid::selectedDateChanged);
        QTest::keyClick(&grid, row.key);
        EXPECT_EQ(grid.selectedDate(), row.to);
        ASSERT_EQ(changed.count(), 1);
        EXPECT_EQ(changed.at(0).at(0).toDate(), row.to);
    }
}

TEST(MonthGridTest, AClickOnADayOfTheNextMonthChoosesItAndAnInvalidDateIsIgnored) {
    MonthGrid grid;
    grid.setFirstDayOfWeek(Qt::Monday);
    grid.resize(grid.sizeHint());
    grid.setSelectedDate(QDate(2026, 6, 15));
    // June 2026 starts on a Monday and has 30 days, so the last row ends on 12 July.
    const QPoint lastCell(grid.width() - 3, grid.height() - 3);
    EXPECT_EQ(grid.dateAt(lastCell), QDate(2026, 7, 12));
    QTest::mouseClick(&grid, Qt::LeftButton, {}, lastCell);
    EXPECT_EQ(grid.selectedDate(), QDate(2026, 7, 12));
    EXPECT_FALSE(grid.dateAt(QPoint(3, 3)).isValid()) << "the month's name is no day";

    grid.setSelectedDate(QDate());
    EXPECT_EQ(grid.selectedDate(), QDate(2026, 7, 12));
}

TEST(MonthGridTest, AScreenReaderFindsEachDayAsATableCellNamedByItsDate) {
    MonthGrid grid;
    grid.setLocale(QLocale(QLocale::English, QLocale::UnitedStates));
    grid.setFirstDayOfWeek(Qt::Monday);
    grid.setSelectedDate(QDate(2024, 2, 14));
    grid.resize(grid.sizeHint());
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(&grid);
    ASSERT_NE(face, nullptr);
    EXPECT_EQ(face->role(), QAccessible::Table);
    QAccessibleTableInterface* table = face->tableInterface();
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(table->rowCount(), 6);
    EXPECT_EQ(table->columnCount(), 7);
    EXPECT_EQ(table->columnDescription(0), QStringLiteral("Monday"));
    EXPECT_EQ(table->columnDescription(6), QStringLiteral("Sunday"));
    struct Row {
        const char* name;
        int row;
        int column;
        QString date;
        bool selected;
    };
    const Row rows[] = {
        {"the first cell, of the month before", 0, 0, QStringLiteral("Monday, January 29, 2024"),
         false},
        {"the chosen day", 2, 2, QStringLiteral("Wednesday, February 14, 2024"), true},
        {"the last cell, of the month after", 5, 6, QStringLiteral("Sunday, March 10, 2024"),
         false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        QAccessibleInterface* cell = table->cellAt(row.row, row.column);
        ASSERT_NE(cell, nullptr);
        EXPECT_EQ(cell->role(), QAccessible::Cell);
        EXPECT_EQ(cell->text(QAccessible::Name), row.date);
        EXPECT_EQ(cell->state().selected, row.selected);
        QAccessibleTableCellInterface* place = cell->tableCellInterface();
        ASSERT_NE(place, nullptr);
        EXPECT_EQ(place->rowIndex(), row.row);
        EXPECT_EQ(place->columnIndex(), row.column);
        EXPECT_EQ(place->table(), face);
        EXPECT_EQ(face->indexOfChild(cell), row.row * 7 + row.column);
        const QPoint centre = cell->rect().center();
        EXPECT_EQ(face->childAt(centre.x(), centre.y()), cell);
    }
    ASSERT_EQ(table->selectedCells().size(), 1);
    EXPECT_EQ(table->selectedCells().first(), table->cellAt(2, 2));

    QAccessibleInterface* first = table->cellAt(0, 0);
    const QRect leftToRight = first->rect();
    grid.setLayoutDirection(Qt::RightToLeft);
    EXPECT_GT(first->rect().left(), leftToRight.left()) << "right to left, the week starts right";
    grid.setSelectedDate(QDate(2024, 3, 5));
    EXPECT_EQ(first->text(QAccessible::Name), QStringLiteral("Monday, February 26, 2024"))
        << "a cell names the date now in its place";
}

} // namespace
} // namespace quorvel
