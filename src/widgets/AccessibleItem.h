#pragma once

#include <QAccessibleInterface>
#include <QPointer>
#include <QWidget>

namespace quorvel {

// A part of a widget drawn by it, not a widget of its own (a day, a swatch), as a screen reader
// sees it: a leaf under its widget's interface, at a place the widget knows by its index.
class AccessibleItem : public QAccessibleInterface {
public:
    AccessibleItem(QWidget* owner, int index) : owner_(owner), index_(index) {}

    int index() const { return index_; }

    QObject* object() const override { return nullptr; }
    QWindow* window() const override;
    QAccessibleInterface* parent() const override;
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    void setText(QAccessible::Text, const QString&) override {}

protected:
    // The state of a selectable item of a valid owner.
    QAccessible::State itemState(bool selected) const;
    // A place in the owner, on the screen.
    QRect onScreen(const QRect& inOwner) const;

    QPointer<QWidget> owner_;
    int index_;
};

} // namespace quorvel
