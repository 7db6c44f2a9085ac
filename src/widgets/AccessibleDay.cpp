#include "widgets/AccessibleDay.h"

#include "widgets/MonthGrid.h"

#include <QLocale>

namespace quorvel {

AccessibleDay::AccessibleDay(MonthGrid* grid, int index) : AccessibleItem(grid, index) {}

MonthGrid* AccessibleDay::grid() const {
    return static_cast<MonthGrid*>(owner_.data());
}

QDate AccessibleDay::date() const {
    return owner_ ? grid()->firstShownDate().addDays(index_) : QDate();
}

bool AccessibleDay::isValid() const {
    return !owner_.isNull();
}

QString AccessibleDay::text(QAccessible::Text kind) const {
    if (!isValid() || kind != QAccessible::Name) {
        return {};
    }
    return grid()->locale().toString(date(), QLocale::LongFormat);
}

QRect AccessibleDay::rect() const {
    if (!isValid()) {
        return {};
    }
    return onScreen(grid()->dayRect(rowIndex(), columnIndex()));
}

QAccessible::Role AccessibleDay::role() const {
    return QAccessible::Cell;
}

QAccessible::State AccessibleDay::state() const {
    if (!isValid()) {
        QAccessible::State state;
        state.invalid = true;
        return state;
    }
    return itemState(isSelected());
}

void* AccessibleDay::interface_cast(QAccessible::InterfaceType type) {
    if (type == QAccessible::TableCellInterface) {
        return static_cast<QAccessibleTableCellInterface*>(this);
    }
    return nullptr;
}

bool AccessibleDay::isSelected() const {
    return isValid() && date() == grid()->selectedDate();
}

QList<QAccessibleInterface*> AccessibleDay::columnHeaderCells() const {
    return {};
}

QList<QAccessibleInterface*> AccessibleDay::rowHeaderCells() const {
    return {};
}

int AccessibleDay::columnIndex() const {
    return index_ % MonthGrid::daysInWeek;
}

int AccessibleDay::rowIndex() const {
    return index_ / MonthGrid::daysInWeek;
}

int AccessibleDay::columnExtent() const {
    return 1;
}

int AccessibleDay::rowExtent() const {
    return 1;
}

QAccessibleInterface* AccessibleDay::table() const {
    return parent();
}

} // namespace quorvel
