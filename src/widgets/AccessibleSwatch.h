#pragma once

#include <QAccessibleInterface>
#include <QPointer>

namespace quorvel {

class ColourGrid;

// One swatch of a ColourGrid as a list item, named by its colour's name where it has one and by
// its value where not.
class AccessibleSwatch : public QAccessibleInterface {
public:
    AccessibleSwatch(ColourGrid* grid, int index);

    int index() const { return index_; }

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

    // The colour's SVG name, or its value as #rrggbb.
    static QString colourName(const QColor& colour);

private:
    QPointer<ColourGrid> grid_;
    int index_;
};

} // namespace quorvel
