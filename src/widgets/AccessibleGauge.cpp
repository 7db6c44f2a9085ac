#include "widgets/AccessibleGauge.h"

#include "widgets/Gauge.h"

namespace quorvel {

namespace {

QAccessibleInterface* accessibleGauge(const QString& key, QObject* object) {
    if (key == QLatin1String(Gauge::staticMetaObject.className()) && object->isWidgetType()) {
        return new AccessibleGauge(static_cast<Gauge*>(object));
    }
    return nullptr;
}

} // namespace

AccessibleGauge::AccessibleGauge(Gauge* gauge)
    : AccessibleReadOnlyValue(gauge, QAccessible::ProgressBar) {}

void AccessibleGauge::installFactory() {
    static const bool installed = (QAccessible::installFactory(accessibleGauge), true);
    Q_UNUSED(installed);
}

Gauge* AccessibleGauge::gauge() const {
    return static_cast<Gauge*>(widget());
}

QString AccessibleGauge::text(QAccessible::Text kind) const {
    if (kind == QAccessible::Value) {
        return gauge()->text();
    }
    return QAccessibleWidget::text(kind);
}

QVariant AccessibleGauge::currentValue() const {
    return gauge()->value();
}

QVariant AccessibleGauge::maximumValue() const {
    return gauge()->maximum();
}

QVariant AccessibleGauge::minimumValue() const {
    return gauge()->minimum();
}

} // namespace quorvel
