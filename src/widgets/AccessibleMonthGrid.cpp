#include "widgets/AccessibleMonthGrid.h"

#include "widgets/AccessibleDay.h"
#include "widgets/MonthGrid.h"

#include <QLocale>

namespace quorvel {

namespace {

constexpr int dayCount = MonthGrid::weeks * MonthGrid::daysInWeek;

QAccessibleInterface* accessibleMonthGrid(const QString& key, QObject* object) {
    if (key == QLatin1String(MonthGrid::staticMetaObject.className()) && object->isWidgetType()) {
        return new AccessibleMonthGrid(static_cast<MonthGrid*>(object));
    }
    return nullptr;
}

} // namespace

AccessibleMonthGrid::AccessibleMonthGrid(MonthGrid* grid)
    : QAccessibleWidget(grid, QAccessible::Table), days_(dayCount, 0) {}

AccessibleMonthGrid::~AccessibleMonthGrid() {
    for (const QAccessible::Id id : std::as_const(days_)) {
        if (id != 0) {
            QAccessible::deleteAccessibleInterface(id);
        }
    }
}

void AccessibleMonthGrid::installFactory() {
    static const bool installed = (QAccessible::installFactory(accessibleMonthGrid), true);
    Q_UNUSED(installed);
}

MonthGrid* AccessibleMonthGrid::grid() const {
    return static_cast<MonthGrid*>(widget());
}

int AccessibleMonthGrid::selectedIndex() const {
    return static_cast<int>(grid()->firstShownDate().daysTo(grid()->selectedDate()));
}

void* AccessibleMonthGrid::interface_cast(QAccessible::InterfaceType type) {
    if (type == QAccessible::TableInterface) {
        return static_cast<QAccessibleTableInterface*>(this);
    }
    return QAccessibleWidget::interface_cast(type);
}

int AccessibleMonthGrid::childCount() const {
    return dayCount;
}

QAccessibleInterface* AccessibleMonthGrid::child(int index) const {
    if (index < 0 || index >= dayCount) {
        return nullptr;
    }
    if (days_[index] == 0) {
        days_[index] = QAccessible::registerAccessibleInterface(new AccessibleDay(grid(), index));
    }
    return QAccessible::accessibleInterface(days_[index]);
}

int AccessibleMonthGrid::indexOfChild(const QAccessibleInterface* child) const {
    const auto* day = dynamic_cast<const AccessibleDay*>(child);
    return day && child->parent() == this ? day->index() : -1;
}

QAccessibleInterface* AccessibleMonthGrid::childAt(int x, int y) const {
    const QDate date = grid()->dateAt(grid()->mapFromGlobal(QPoint(x, y)));
    return date.isValid() ? child(static_cast<int>(grid()->firstShownDate().daysTo(date)))
                          : nullptr;
}

QAccessibleInterface* AccessibleMonthGrid::focusChild() const {
    return grid()->hasFocus() ? child(selectedIndex()) : nullptr;
}

QAccessibleInterface* AccessibleMonthGrid::caption() const {
    return nullptr;
}

QAccessibleInterface* AccessibleMonthGrid::summary() const {
    return nullptr;
}

QAccessibleInterface* AccessibleMonthGrid::cellAt(int row, int column) const {
    if (row < 0 || row >= rowCount() || column < 0 || column >= columnCount()) {
        return nullptr;
    }
    return child(row * MonthGrid::daysInWeek + column);
}

int AccessibleMonthGrid::selectedCellCount() const {
    return 1;
}

QList<QAccessibleInterface*> AccessibleMonthGrid::selectedCells() const {
    return {child(selectedIndex())};
}

QString AccessibleMonthGrid::columnDescription(int column) const {
    if (column < 0 || column >= columnCount()) {
        return {};
    }
    const int day = (static_cast<int>(grid()->firstDayOfWeek()) - 1 + column) % 7 + 1;
    return grid()->locale().dayName(day, QLocale::LongFormat);
}

QString AccessibleMonthGrid::rowDescription(int) const {
    return {};
}

int AccessibleMonthGrid::selectedColumnCount() const {
    return 0;
}

int AccessibleMonthGrid::selectedRowCount() const {
    return 0;
}

int AccessibleMonthGrid::columnCount() const {
    return MonthGrid::daysInWeek;
}

int AccessibleMonthGrid::rowCount() const {
    return MonthGrid::weeks;
}

QList<int> AccessibleMonthGrid::selectedColumns() const {
    return {};
}

QList<int> AccessibleMonthGrid::selectedRows() const {
    return {};
}

bool AccessibleMonthGrid::isColumnSelected(int) const {
    return false;
}

bool AccessibleMonthGrid::isRowSelected(int) const {
    return false;
}

// One day is chosen, never a whole week or weekday.
bool AccessibleMonthGrid::selectRow(int) {
    return false;
}

bool AccessibleMonthGrid::selectColumn(int) {
    return false;
}

bool AccessibleMonthGrid::unselectRow(int) {
    return false;
}

bool AccessibleMonthGrid::unselectColumn(int) {
    return false;
}

void AccessibleMonthGrid::modelChange(QAccessibleTableModelChangeEvent*) {}

} // namespace quorvel
