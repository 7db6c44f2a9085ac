#include "widgets/AccessibleDay.h"

#include "widgets/MonthGrid.h"

#include <QLocale>

namespace quorvel {

AccessibleDay::AccessibleDay(MonthGrid* grid, int index) : grid_(grid), index_(index) {}

QDate AccessibleDay::date() const {
    return grid_ ? grid_->firstShownDate().addDays(index_) : QDate();
}

bool AccessibleDay::isValid() const {
    return !grid_.isNull();
}

QObject* AccessibleDay::object() const {
    return nullptr;
}

QWindow* AccessibleDay::window() const {
    QAccessibleInterface* grid = parent();
    return grid ? grid->window() : nullptr;
}

QAccessibleInterface* AccessibleDay::parent() const {
    return grid_ ? QAccessible::queryAccessibleInterface(grid_) : nullptr;
}

QAccessibleInterface* AccessibleDay::child(int) const {
    return nullptr;
}

int AccessibleDay::childCount() const {
    return 0;
}

int AccessibleDay::indexOfChild(const QAccessibleInterface*) const {
    return -1;
}

QAccessibleInterface* AccessibleDay::childAt(int, int) const {
    return nullptr;
}

QString AccessibleDay::text(QAccessible::Text kind) const {
    if (!isValid() || kind != QAccessible::Name) {
        return {};
    }
    return grid_->locale().toString(date(), QLocale::LongFormat);
}

void AccessibleDay::setText(QAccessible::Text, const QString&) {}

QRect AccessibleDay::rect() const {
    if (!isValid()) {
        return {};
    }
    const QRect cell = grid_->dayRect(rowIndex(), columnIndex());
    return {grid_->mapToGlobal(cell.topLeft()), cell.size()};
}

QAccessible::Role AccessibleDay::role() const {
    return QAccessible::Cell;
}

QAccessible::State AccessibleDay::state() const {
    QAccessible::State state;
    if (!isValid()) {
        state.invalid = true;
        return state;
    }
    state.selectable = true;
    state.focusable = true;
    state.selected = isSelected();
    state.focused = state.selected && grid_->hasFocus();
    state.invisible = !grid_->isVisible();
    return state;
}

void* AccessibleDay::interface_cast(QAccessible::InterfaceType type) {
    if (type == QAccessible::TableCellInterface) {
        return static_cast<QAccessibleTableCellInterface*>(this);
    }
    return nullptr;
}

bool AccessibleDay::isSelected() const {
    return isValid() && date() == grid_->selectedDate();
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
