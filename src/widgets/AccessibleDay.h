#pragma once

#include <QAccessibleInterface>
#include <QDate>
#include <QPointer>

namespace quorvel {

class MonthGrid;

// One day of a MonthGrid as a table cell, named by its date. A cell stands for a place in the
// grid, so its date follows the month shown.
class AccessibleDay : public QAccessibleInterface, public QAccessibleTableCellInterface {
public:
    AccessibleDay(MonthGrid* grid, int index);

    int index() const { return index_; }
    QDate date() const;

    bool isValid() const override;
    QObject* object() const override;
    QWindow* window() const override;
    QAccessibleInterface* parent() const override;
    QAccessibleInterface* child(int index) const override;
    int childCount() const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QAccessibleInterface* childAt(int x, int y) const override;
    QString text(QAccessible::Text kind) const override;
    void setText(QAccessible::Text kind, const QString& text) override;
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
    QPointer<MonthGrid> grid_;
    int index_;
};

} // namespace quorvel
