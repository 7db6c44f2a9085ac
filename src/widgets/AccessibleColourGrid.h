#pragma once

#include <QAccessibleWidget>
#include <QList>

namespace quorvel {

class ColourGrid;

// What a screen reader is told of a ColourGrid: a list whose items are the swatches.
class AccessibleColourGrid : public QAccessibleWidget {
public:
    explicit AccessibleColourGrid(ColourGrid* grid);
    ~AccessibleColourGrid() override;

    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QAccessibleInterface* childAt(int x, int y) const override;
    QAccessibleInterface* focusChild() const override;

    // Makes the interfaces of colour grids from here on.
    static void installFactory();

private:
    ColourGrid* grid() const;

    // The swatches' interfaces, made when first asked for and kept, as Qt expects.
    mutable QList<QAccessible::Id> swatches_;
};

} // namespace quorvel
