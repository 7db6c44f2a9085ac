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
    : AccessibleReadOnlyValue(graph, QAccessible::Chart) {}

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

QVariant AccessibleGraph::currentValue() const {
    const std::optional<double> latest = graph()->latestValue();
    return latest ? QVariant(*latest) : QVariant();
}

QVariant AccessibleGraph::maximumValue() const {
    return graph()->scaleMaximum();
}

QVariant AccessibleGraph::minimumValue() const {
    return graph()->scaleMinimum();
}

} // namespace quorvel
