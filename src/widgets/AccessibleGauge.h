#pragma once

#include "widgets/AccessibleReadOnlyValue.h"

namespace quorvel {

class Gauge;

// What a screen reader is told of a Gauge: a progress bar with its value, its range and, as the
// value's text, the percentage shown. The value is only read: a gauge shows, it is not set.
class AccessibleGauge : public AccessibleReadOnlyValue {
public:
    explicit AccessibleGauge(Gauge* gauge);

    QString text(QAccessible::Text kind) const override;

    QVariant currentValue() const override;
    QVariant maximumValue() const override;
    QVariant minimumValue() const override;

    // Makes the interfaces of gauges from here on.
    static void installFactory();

private:
    Gauge* gauge() const;
};

} // namespace quorvel
