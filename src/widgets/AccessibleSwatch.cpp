#include "widgets/AccessibleSwatch.h"

#include "widgets/ColourGrid.h"

#include <QHash>

namespace quorvel {

AccessibleSwatch::AccessibleSwatch(ColourGrid* grid, int index) : grid_(grid), index_(index) {}

QString AccessibleSwatch::colourName(const QColor& colour) {
    static const QHash<QRgb, QString> names = [] {
        QHash<QRgb, QString> byValue;
        // In alphabetical order, so of two names for one colour the first is kept.
        const QStringList all = QColor::colorNames();
        for (const QString& name : all) {
            const QColor named = QColor::fromString(name);
            if (named.alpha() == 255 && !byValue.contains(named.rgb())) {
                byValue.insert(named.rgb(), name);
            }
        }
        return byValue;
    }();
    if (colour.alpha() == 255) {
        const auto found = names.constFind(colour.rgb());
        if (found != names.constEnd()) {
            return *found;
        }
    }
    return colour.name(colour.alpha() == 255 ? QColor::HexRgb : QColor::HexArgb);
}

bool AccessibleSwatch::isValid() const {
    return grid_ && index_ < grid_->colours().size();
}

QObject* AccessibleSwatch::object() const {
    return nullptr;
}

QWindow* AccessibleSwatch::window() const {
    QAccessibleInterface* list = parent();
    return list ? list->window() : nullptr;
}

QAccessibleInterface* AccessibleSwatch::parent() const {
    return grid_ ? QAccessible::queryAccessibleInterface(grid_) : nullptr;
}

QAccessibleInterface* AccessibleSwatch::child(int) const {
    return nullptr;
}

int AccessibleSwatch::childCount() const {
    return 0;
}

int AccessibleSwatch::indexOfChild(const QAccessibleInterface*) const {
    return -1;
}

QAccessibleInterface* AccessibleSwatch::childAt(int, int) const {
    return nullptr;
}

QString AccessibleSwatch::text(QAccessible::Text kind) const {
    if (!isValid()) {
        return {};
    }
    const QColor colour = grid_->colours().at(index_);
    switch (kind) {
    case QAccessible::Name:
        return colourName(colour);
    case QAccessible::Value:
        return colour.name();
    default:
        return {};
    }
}

void AccessibleSwatch::setText(QAccessible::Text, const QString&) {}

QRect AccessibleSwatch::rect() const {
    if (!isValid()) {
        return {};
    }
    const QRect swatch = grid_->swatchRect(index_);
    return {grid_->mapToGlobal(swatch.topLeft()), swatch.size()};
}

QAccessible::Role AccessibleSwatch::role() const {
    return QAccessible::ListItem;
}

QAccessible::State AccessibleSwatch::state() const {
    QAccessible::State state;
    if (!isValid()) {
        state.invalid = true;
        return state;
    }
    state.selectable = true;
    state.focusable = true;
    state.selected = grid_->currentIndex() == index_;
    state.focused = state.selected && grid_->hasFocus();
    state.invisible = !grid_->isVisible();
    return state;
}

} // namespace quorvel
