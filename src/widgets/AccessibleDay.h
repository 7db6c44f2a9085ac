#pragma once

#include "widgets/AccessibleItem.h"

#include <QDate>

namespace quorvel {

class MonthGrid;

// One day of a MonthGrid as a table cell, named by its date. A cell stands for a place in the
// grid, so its date follows the month shown.
class AccessibleDay : public AccessibleItem, public QAccessibleTableCellInterface {
public:
    AccessibleDay(MonthGrid* grid, int index);

    QDate date() const;

    bool isValid() const override;
    QString text(QAccessible::Text kind) const override;
    QRect rect() const override;
    QAccessible::Role role() const override;
    QAccessible::State state() const override;
    void* interface_cast(QAccessible::InterfaceType type) override;

    bool isSelected() const override;
    QList<QAccessibleInterface*> columnHeaderCells() const override;
    QList<QAccessibleInterface*> rowHeaderCells() const override;
    int columnIndex() const override;
    int rowIndex() const override;
    int columnExtent() const override;
    int rowExtent() const override;
    QAccessibleInterface* table() const override;

private:
    MonthGrid* grid() const;
};

} // namespace quorvel
