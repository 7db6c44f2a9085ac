#pragma once

#include "widgets/AccessibleReadOnlyValue.h"

namespace quorvel {

class PerformanceGraph;

// What a screen reader is told of a PerformanceGraph: a chart whose value is the newest one
// pushed, within the range the graph's height stands for. The value is only read.
class AccessibleGraph : public AccessibleReadOnlyValue {
public:
    explicit AccessibleGraph(PerformanceGraph* graph);

    QString text(QAccessible::Text kind) const override;

    // Nothing before the first value.
    QVariant currentValue() const override;
    QVariant maximumValue() const override;
    QVariant minimumValue() const override;

    // Makes the interfaces of graphs from here on.
    static void installFactory();

private:
    PerformanceGraph* graph() const;
};

} // namespace quorvel
