#include "widgets/MonthGrid.h"

#include "widgets/AccessibleMonthGrid.h"

#include <QAccessible>
#include <QKeyEvent>
#include <QLocale>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

namespace quorvel {

MonthGrid::MonthGrid(QWidget* parent)
    : QWidget(parent), selected_(QDate::currentDate()), firstDay_(locale().firstDayOfWeek()) {
    AccessibleMonthGrid::installFactory();
    setFocusPolicy(Qt::StrongFocus);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);
    setAccessibleName(tr("Calendar"));
    setAccessibleDescription(locale().toString(selected_, QLocale::LongFormat));
}

void MonthGrid::setSelectedDate(QDate date) {
    if (!date.isValid() || date == selected_) {
        return;
    }
    selected_ = date;
    setAccessibleDescription(locale().toString(selected_, QLocale::LongFormat));
    update();
    QAccessibleEvent selection(this, QAccessible::Selection);
    selection.setChild(static_cast<int>(firstShownDate().daysTo(selected_)));
    QAccessible::updateAccessibility(&selection);
    emit selectedDateChanged(selected_);
}

void MonthGrid::setFirstDayOfWeek(Qt::DayOfWeek day) {
    firstDaySet_ = true;
    if (day != firstDay_) {
        firstDay_ = day;
        update();
    }
}

void MonthGrid::resetFirstDayOfWeek() {
    firstDaySet_ = false;
    firstDay_ = locale().firstDayOfWeek();
    update();
}

QDate MonthGrid::firstShownDate(int year, int month, Qt::DayOfWeek firstDay) {
    const QDate first(year, month, 1);
    const int back = (first.dayOfWeek() - static_cast<int>(firstDay) + daysInWeek) % daysInWeek;
    return first.addDays(-back);
}

QDate MonthGrid::firstShownDate() const {
    return firstShownDate(selected_.year(), selected_.month(), firstDay_);
}

QSize MonthGrid::cellSize() const {
    const QFontMetrics metrics = fontMetrics();
    int width = metrics.horizontalAdvance(QStringLiteral("00"));
    for (int day = Qt::Monday; day <= Qt::Sunday; ++day) {
        width =
            std::max(width, metrics.horizontalAdvance(locale().dayName(day, QLocale::ShortFormat)));
    }
    return {width + 2 * metrics.averageCharWidth(), metrics.height() * 3 / 2};
}

// Row 0 holds the month's name, row 1 the day names, rows 2 to 7 the weeks; the cells share out
// whatever size the widget has.
QRect MonthGrid::cellRect(int row, int column) const {
    const int rows = weeks + 2;
    const int left = column * width() / daysInWeek;
    const int top = row * height() / rows;
    return QRect(QPoint(left, top),
                 QPoint((column + 1) * width() / daysInWeek - 1, (row + 1) * height() / rows - 1));
}

QRect MonthGrid::dayRect(int week, int day) const {
    return cellRect(week + 2, visualColumn(day));
}

int MonthGrid::visualColumn(int column) const {
    return isRightToLeft() ? daysInWeek - 1 - column : column;
}

QDate MonthGrid::dateAt(QPoint point) const {
    if (!rect().contains(point)) {
        return {};
    }
    const int rows = weeks + 2;
    const int row = point.y() * rows / height() - 2;
    const int column = visualColumn(point.x() * daysInWeek / width());
    if (row < 0 || row >= weeks || column < 0 || column >= daysInWeek) {
        return {};
    }
    return firstShownDate().addDays(row * daysInWeek + column);
}

QSize MonthGrid::sizeHint() const {
    const QSize cell = cellSize();
    return {cell.width() * daysInWeek, cell.height() * (weeks + 2)};
}

QSize MonthGrid::minimumSizeHint() const {
    return sizeHint() * 3 / 4;
}

void MonthGrid::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QPalette& colours = palette();
    painter.fillRect(rect(), colours.base());

    const QRect title = cellRect(0, 0).united(cellRect(0, daysInWeek - 1));
    QFont bold = font();
    bold.setBold(true);
    painter.setFont(bold);
    painter.setPen(colours.color(QPalette::Text));
    QLocale yearFormat = locale();
    yearFormat.setNumberOptions(QLocale::OmitGroupSeparator);
    painter.drawText(title, Qt::AlignCenter,
                     locale().standaloneMonthName(selected_.month()) + QLatin1Char(' ') +
                         yearFormat.toString(selected_.year()));
    painter.setFont(font());

    painter.setPen(colours.color(QPalette::PlaceholderText));
    for (int column = 0; column < daysInWeek; ++column) {
        const int day = (static_cast<int>(firstDay_) - 1 + column) % daysInWeek + 1;
        painter.drawText(cellRect(1, visualColumn(column)), Qt::AlignCenter,
                         locale().dayName(day, QLocale::ShortFormat));
    }

    const QDate first = firstShownDate();
    const QDate today = QDate::currentDate();
    for (int index = 0; index < weeks * daysInWeek; ++index) {
        const QDate date = first.addDays(index);
        const QRect cell = cellRect(index / daysInWeek + 2, visualColumn(index % daysInWeek))
                               .adjusted(1, 1, -1, -1);
        QColor text = date.month() == selected_.month()
                          ? colours.color(QPalette::Text)
                          : colours.color(QPalette::Disabled, QPalette::Text);
        if (date == selected_) {
            painter.fillRect(cell, colours.brush(hasFocus() ? QPalette::Active : QPalette::Inactive,
                                                 QPalette::Highlight));
            text = colours.color(QPalette::HighlightedText);
        }
        if (date == today) {
            painter.setPen(colours.color(QPalette::Highlight));
            painter.drawRect(cell.adjusted(0, 0, -1, -1));
        }
        painter.setPen(text);
        painter.drawText(cell, Qt::AlignCenter, locale().toString(date.day()));
    }
}

void MonthGrid::keyPressEvent(QKeyEvent* event) {
    const int forward = isRightToLeft() ? -1 : 1;
    QDate next;
    switch (event->key()) {
    case Qt::Key_Left:
        next = selected_.addDays(-forward);
        break;
    case Qt::Key_Right:
        next = selected_.addDays(forward);
        break;
    case Qt::Key_Up:
        next = selected_.addDays(-daysInWeek);
        break;
    case Qt::Key_Down:
        next = selected_.addDays(daysInWeek);
        break;
    case Qt::Key_PageUp:
        next = selected_.addMonths(-1);
        break;
    case Qt::Key_PageDown:
        next = selected_.addMonths(1);
        break;
    case Qt::Key_Home:
        next = QDate(selected_.year(), selected_.month(), 1);
        break;
    case Qt::Key_End:
        next = QDate(selected_.year(), selected_.month(), selected_.daysInMonth());
        break;
    default:
        QWidget::keyPressEvent(event);
        return;
    }
    setSelectedDate(next);
    event->accept();
}

void MonthGrid::mousePressEvent(QMouseEvent* event) {
    const QDate date = dateAt(event->position().toPoint());
    if (event->button() == Qt::LeftButton && date.isValid()) {
        setSelectedDate(date);
        event->accept();
        return;
    }
    QWidget::mousePressEvent(event);
}

void MonthGrid::changeEvent(QEvent* event) {
    if (event->type() == QEvent::LocaleChange) {
        if (!firstDaySet_) {
            firstDay_ = locale().firstDayOfWeek();
        }
        setAccessibleDescription(locale().toString(selected_, QLocale::LongFormat));
        updateGeometry();
        update();
    } else if (event->type() == QEvent::FontChange) {
        updateGeometry();
    }
    QWidget::changeEvent(event);
}

} // namespace quorvel
