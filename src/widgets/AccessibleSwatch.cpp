#include "widgets/AccessibleSwatch.h"

#include "widgets/ColourGrid.h"

#include <QHash>

namespace quorvel {

AccessibleSwatch::AccessibleSwatch(ColourGrid* grid, int index) : AccessibleItem(grid, index) {}

ColourGrid* AccessibleSwatch::grid() const {
    return static_cast<ColourGrid*>(owner_.data());
}

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
    return owner_ && index_ < grid()->colours().size();
}

QString AccessibleSwatch::text(QAccessible::Text kind) const {
    if (!isValid()) {
        return {};
    }
    const QColor colour = grid()->colours().at(index_);
    switch (kind) {
    case QAccessible::Name:
        return colourName(colour);
    case QAccessible::Value:
        return colour.name();
    default:
        return {};
    }
}

QRect AccessibleSwatch::rect() const {
    if (!isValid()) {
        return {};
    }
    return onScreen(grid()->swatchRect(index_));
}

QAccessible::Role AccessibleSwatch::role() const {
    return QAccessible::ListItem;
}

QAccessible::State AccessibleSwatch::state() const {
    if (!isValid()) {
        QAccessible::State state;
        state.invalid = true;
        return state;
    }
    return itemState(grid()->currentIndex() == index_);
}

} // namespace quorvel
