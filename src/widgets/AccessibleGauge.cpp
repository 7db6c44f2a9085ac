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
    : QAccessibleWidget(gauge, QAccessible::ProgressBar) {}

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

void* AccessibleGauge::interface_cast(QAccessible::InterfaceType type) {
    if (type == QAccessible::ValueInterface) {
        return static_cast<QAccessibleValueInterface*>(this);
    }
    return QAccessibleWidget::interface_cast(type);
}

QVariant AccessibleGauge::currentValue() const {
    return gauge()->value();
}

void AccessibleGauge::setCurrentValue(const QVariant&) {}

QVariant AccessibleGauge::maximumValue() const {
    return gauge()->maximum();
}

QVariant AccessibleGauge::minimumValue() const {
    return gauge()->minimum();
}

QVariant AccessibleGauge::minimumStepSize() const {
    return 0.0;
}

} // namespace quorvel
