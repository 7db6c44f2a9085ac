#include "widgets/AccessibleColourGrid.h"

#include "widgets/AccessibleSwatch.h"
#include "widgets/ColourGrid.h"

namespace quorvel {

namespace {

QAccessibleInterface* accessibleColourGrid(const QString& key, QObject* object) {
    if (key == QLatin1String(ColourGrid::staticMetaObject.className()) && object->isWidgetType()) {
        return new AccessibleColourGrid(static_cast<ColourGrid*>(object));
    }
    return nullptr;
}

} // namespace

AccessibleColourGrid::AccessibleColourGrid(ColourGrid* grid)
    : QAccessibleWidget(grid, QAccessible::List) {}

AccessibleColourGrid::~AccessibleColourGrid() {
    for (const QAccessible::Id id : std::as_const(swatches_)) {
        if (id != 0) {
            QAccessible::deleteAccessibleInterface(id);
        }
    }
}

void AccessibleColourGrid::installFactory() {
    static const bool installed = (QAccessible::installFactory(accessibleColourGrid), true);
    Q_UNUSED(installed);
}

ColourGrid* AccessibleColourGrid::grid() const {
    return static_cast<ColourGrid*>(widget());
}

int AccessibleColourGrid::childCount() const {
    return static_cast<int>(grid()->colours().size());
}

QAccessibleInterface* AccessibleColourGrid::child(int index) const {
    if (index < 0 || index >= childCount()) {
        return nullptr;
    }
    if (index >= swatches_.size()) {
        swatches_.resize(index + 1, 0);
    }
    if (swatches_[index] == 0) {
        swatches_[index] =
            QAccessible::registerAccessibleInterface(new AccessibleSwatch(grid(), index));
    }
    return QAccessible::accessibleInterface(swatches_[index]);
}

int AccessibleColourGrid::indexOfChild(const QAccessibleInterface* child) const {
    const auto* swatch = dynamic_cast<const AccessibleSwatch*>(child);
    return swatch && swatch->isValid() && child->parent() == this ? swatch->index() : -1;
}

QAccessibleInterface* AccessibleColourGrid::childAt(int x, int y) const {
    return child(grid()->indexAt(grid()->mapFromGlobal(QPoint(x, y))));
}

QAccessibleInterface* AccessibleColourGrid::focusChild() const {
    return grid()->hasFocus() ? child(grid()->currentIndex()) : nullptr;
}

} // namespace quorvel
