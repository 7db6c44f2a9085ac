#include "widgets/MonthGrid.h"

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

} // namespace
} // namespace quorvel
