#pragma once

#include <QAccessibleWidget>

namespace quorvel {

// A widget that shows a value in a range, as a screen reader sees it: the value is read, never
// set from there.
class AccessibleReadOnlyValue : public QAccessibleWidget, public QAccessibleValueInterface {
public:
    AccessibleReadOnlyValue(QWidget* widget, QAccessible::Role role)
        : QAccessibleWidget(widget, role) {}

    void* interface_cast(QAccessible::InterfaceType type) override;
    void setCurrentValue(const QVariant&) override {}
    QVariant minimumStepSize() const override { return 0.0; }
};

} // namespace quorvel
