#pragma once

#include "widgets/AccessibleItem.h"

#include <QColor>

namespace quorvel {

class ColourGrid;

// One swatch of a ColourGrid as a list item, named by its colour's name where it has one and by
// its value where not.
class AccessibleSwatch : public AccessibleItem {
public:
    AccessibleSwatch(ColourGrid* grid, int index);

    bool isValid() const override;
    QString text(QAccessible::Text kind) const override;
    QRect rect() const override;
    QAccessible::Role role() const override;
    QAccessible::State state() const override;

    // The colour's SVG name, or its value as #rrggbb.
    static QString colourName(const QColor& colour);

private:
    ColourGrid* grid() const;
};

} // namespace quorvel
