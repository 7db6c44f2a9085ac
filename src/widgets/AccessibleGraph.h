#pragma once

#include <QAccessibleWidget>

namespace quorvel {

class PerformanceGraph;

// What a screen reader is told of a PerformanceGraph: a chart whose value is the newest one
// pushed, within the range the graph's height stands for. The value is only read.
class AccessibleGraph : public QAccessibleWidget, public QAccessibleValueInterface {
public:
    explicit AccessibleGraph(PerformanceGraph* graph);

    QString text(QAccessible::Text kind) const override;
    void* interface_cast(QAccessible::InterfaceType type) override;

    // Nothing before the first value.
    QVariant currentValue() const override;
    void setCurrentValue(const QVariant& value) override;
    QVariant maximumValue() const override;
    QVariant minimumValue() const override;
    QVariant minimumStepSize() const override;

    // Makes the interfaces of graphs from here on.
    static void installFactory();

private:
    PerformanceGraph* graph() const;
};

} // namespace quorvel
