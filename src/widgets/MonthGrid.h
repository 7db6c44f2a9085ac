#pragma once

#include <QDate>
#include <QWidget>

namespace quorvel {

// A month as a grid of days: the month's name and year, a row of day names starting on the first
// day of the week, and six weeks, so the grid never changes height from month to month. Days of
// the neighbouring months fill the first and last rows, dimmed; choosing one moves to its month.
// Keys: arrows a day or a week, Page Up/Down a month, Home/End the month's first and last day.
class MonthGrid : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QDate selectedDate READ selectedDate WRITE setSelectedDate NOTIFY selectedDateChanged
                   USER true)
    Q_PROPERTY(Qt::DayOfWeek firstDayOfWeek READ firstDayOfWeek WRITE setFirstDayOfWeek RESET
                   resetFirstDayOfWeek)

public:
    static constexpr int weeks = 6;
    static constexpr int daysInWeek = 7;

    explicit MonthGrid(QWidget* parent = nullptr);

    QDate selectedDate() const { return selected_; }
    // The locale's first day of the week until one is set.
    Qt::DayOfWeek firstDayOfWeek() const { return firstDay_; }
    void setFirstDayOfWeek(Qt::DayOfWeek day);
    void resetFirstDayOfWeek();

    // The date in the top left cell: the first day of the week on or before the month's first.
    static QDate firstShownDate(int year, int month, Qt::DayOfWeek firstDay);
    QDate firstShownDate() const;
    // The date drawn under a point, or an invalid date outside the days.
    QDate dateAt(QPoint point) const;
    // Where a day is drawn: its week, 0 to 5, and its place in the week from the first day.
    QRect dayRect(int week, int day) const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

public slots:
    // An invalid date is ignored.
    void setSelectedDate(QDate date);

signals:
    void selectedDateChanged(QDate date);

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    QSize cellSize() const;
    QRect cellRect(int row, int column) const;
    int visualColumn(int column) const;

    QDate selected_;
    Qt::DayOfWeek firstDay_;
    bool firstDaySet_ = false;
};

} // namespace quorvel
