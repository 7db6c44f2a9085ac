#pragma once

#include <QAccessibleWidget>
#include <QList>

namespace quorvel {

class MonthGrid;

// What a screen reader is told of a MonthGrid: a table of six weeks by seven days, the columns
// described by the names of the days, each cell a day named by its date.
class AccessibleMonthGrid : public QAccessibleWidget, public QAccessibleTableInterface {
public:
    explicit AccessibleMonthGrid(MonthGrid* grid);
    ~AccessibleMonthGrid() override;

    void* interface_cast(QAccessible::InterfaceType type) override;
    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QAccessibleInterface* childAt(int x, int y) const override;
    QAccessibleInterface* focusChild() const override;

    QAccessibleInterface* caption() const override;
    QAccessibleInterface* summary() const override;
    QAccessibleInterface* cellAt(int row, int column) const override;
    int selectedCellCount() const override;
    QList<QAccessibleInterface*> selectedCells() const override;
    QString columnDescription(int column) const override;
    QString rowDescription(int row) const override;
    int selectedColumnCount() const override;
    int selectedRowCount() const override;
    int columnCount() const override;
    int rowCount() const override;
    QList<int> selectedColumns() const override;
    QList<int> selectedRows() const override;
    bool isColumnSelected(int column) const override;
    bool isRowSelected(int row) const override;
    bool selectRow(int row) override;
    bool selectColumn(int column) override;
    bool unselectRow(int row) override;
    bool unselectColumn(int column) override;
    void modelChange(QAccessibleTableModelChangeEvent* event) override;

    // Makes the interfaces of month grids from here on.
    static void installFactory();

private:
    MonthGrid* grid() const;
    // The cell of the chosen date.
    int selectedIndex() const;

    // The days' interfaces, made when first asked for and kept, as Qt expects.
    mutable QList<QAccessible::Id> days_;
};

} // namespace quorvel
