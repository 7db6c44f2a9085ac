#include "widgets/AccessibleGraph.h"

#include "widgets/PerformanceGraph.h"

#include <QLocale>

namespace quorvel {

namespace {

QAccessibleInterface* accessibleGraph(const QString& key, QObject* object) {
    if (key == QLatin1String(PerformanceGraph::staticMetaObject.className()) &&
        object->isWidgetType()) {
        return new AccessibleGraph(static_cast<PerformanceGraph*>(object));
    }
    return nullptr;
}

} // namespace

AccessibleGraph::AccessibleGraph(PerformanceGraph* graph)
    : QAccessibleWidget(graph, QAccessible::Chart) {}

void AccessibleGraph::installFactory() {
    static const bool installed = (QAccessible::installFactory(accessibleGraph), true);
    Q_UNUSED(installed);
}

PerformanceGraph* AccessibleGraph::graph() const {
    return static_cast<PerformanceGraph*>(widget());
}

QString AccessibleGraph::text(QAccessible::Text kind) const {
    if (kind == QAccessible::Value) {
        const std::optional<double> latest = graph()->latestValue();
        return latest ? graph()->locale().toString(*latest) : QString();
    }
    return QAccessibleWidget::text(kind);
}

void* AccessibleGraph::interface_cast(QAccessible::InterfaceType type) {
    if (type == QAccessible::ValueInterface) {
        return static_cast<QAccessibleValueInterface*>(this);
    }
    return QAccessibleWidget::interface_cast(type);
}

QVariant AccessibleGraph::currentValue() const {
    const std::optional<double> latest = graph()->latestValue();
    return latest ? QVariant(*latest) : QVariant();
}

void AccessibleGraph::setCurrentValue(const QVariant&) {}

QVariant AccessibleGraph::maximumValue() const {
    return graph()->scaleMaximum();
}

QVariant AccessibleGraph::minimumValue() const {
    return graph()->scaleMinimum();
}

QVariant AccessibleGraph::minimumStepSize() const {
    return 0.0;
}

} // namespace quorvel
