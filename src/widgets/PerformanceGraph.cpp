#include "widgets/PerformanceGraph.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QLocale>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

namespace quorvel {

namespace {

constexpr int horizontalLines = 4;

QAccessibleInterface* accessibleGraph(const QString& key, QObject* object) {
    if (key == QLatin1String(PerformanceGraph::staticMetaObject.className()) &&
        object->isWidgetType()) {
        return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Chart);
    }
    return nullptr;
}

} // namespace

PerformanceGraph::PerformanceGraph(QWidget* parent) : QWidget(parent), ring_(60) {
    static const bool factoryInstalled = (QAccessible::installFactory(accessibleGraph), true);
    Q_UNUSED(factoryInstalled);
    setAccessibleName(tr("Performance graph"));
}

void PerformanceGraph::pushValue(double value) {
    if (!std::isfinite(value)) {
        return;
    }
    if (count_ < ring_.size()) {
        ring_[(oldest_ + count_) % ring_.size()] = value;
        ++count_;
    } else {
        ring_[oldest_] = value;
        oldest_ = (oldest_ + 1) % ring_.size();
    }
    ++pushed_;
    update();
}

void PerformanceGraph::clear() {
    oldest_ = 0;
    count_ = 0;
    update();
}

QList<double> PerformanceGraph::values() const {
    QList<double> shown;
    shown.reserve(static_cast<qsizetype>(count_));
    for (std::size_t i = 0; i < count_; ++i) {
        shown.append(ring_[(oldest_ + i) % ring_.size()]);
    }
    return shown;
}

void PerformanceGraph::setPointCount(int count) {
    const auto size = static_cast<std::size_t>(std::max(2, count));
    const QList<double> shown = values();
    const std::size_t kept = std::min(size, count_);
    ring_.assign(size, 0);
    std::copy(shown.end() - static_cast<qsizetype>(kept), shown.end(), ring_.begin());
    oldest_ = 0;
    count_ = kept;
    update();
}

void PerformanceGraph::setAutoScale(bool on) {
    autoScale_ = on;
    update();
}

void PerformanceGraph::setMinimum(double minimum) {
    if (std::isfinite(minimum)) {
        minimum_ = minimum;
        update();
    }
}

void PerformanceGraph::setMaximum(double maximum) {
    if (std::isfinite(maximum)) {
        maximum_ = maximum;
        update();
    }
}

void PerformanceGraph::setGridStep(int points) {
    gridStep_ = std::max(1, points);
    update();
}

double PerformanceGraph::roundedUp(double value) {
    if (!(value > 0) || !std::isfinite(value)) {
        return 1;
    }
    const double power = std::pow(10.0, std::floor(std::log10(value)));
    for (const double step : {1.0, 2.0, 5.0, 10.0}) {
        // The allowance keeps an exact 2 or 50 from being taken for a hair above it.
        if (value <= step * power * (1 + 1e-12)) {
            return step * power;
        }
    }
    return 10 * power;
}

double PerformanceGraph::scaleMinimum() const {
    if (!autoScale_) {
        return std::min(minimum_, maximum_);
    }
    const QList<double> shown = values();
    const double lowest = shown.isEmpty() ? 0 : *std::min_element(shown.begin(), shown.end());
    return lowest < 0 ? -roundedUp(-lowest) : 0;
}

double PerformanceGraph::scaleMaximum() const {
    const double bottom = scaleMinimum();
    double top = 0;
    if (!autoScale_) {
        top = std::max(minimum_, maximum_);
    } else {
        const QList<double> shown = values();
        const double highest = shown.isEmpty() ? 0 : *std::max_element(shown.begin(), shown.end());
        top = highest > 0 ? roundedUp(highest) : 0;
    }
    // An empty range would leave the line nowhere to go.
    return top > bottom ? top : bottom + 1;
}

QSize PerformanceGraph::sizeHint() const {
    const QFontMetrics metrics = fontMetrics();
    return {metrics.averageCharWidth() * 40, metrics.height() * 7};
}

QSize PerformanceGraph::minimumSizeHint() const {
    const QFontMetrics metrics = fontMetrics();
    return {metrics.averageCharWidth() * 10, metrics.height() * 3};
}

void PerformanceGraph::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QPalette& colours = palette();
    const QRectF area = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    painter.fillRect(rect(), colours.base());

    // Newest at the right edge; a point every dx pixels.
    const double dx = area.width() / static_cast<double>(ring_.size() - 1);
    QColor gridColour = colours.color(QPalette::Mid);
    gridColour.setAlpha(110);
    painter.setPen(gridColour);
    for (int line = 1; line < horizontalLines; ++line) {
        const double y = area.top() + area.height() * line / horizontalLines;
        painter.drawLine(QPointF(area.left(), y), QPointF(area.right(), y));
    }
    const auto shift = static_cast<double>(pushed_ % static_cast<std::uint64_t>(gridStep_));
    for (double x = area.right() - shift * dx; x >= area.left(); x -= gridStep_ * dx) {
        painter.drawLine(QPointF(x, area.top()), QPointF(x, area.bottom()));
    }

    const double bottom = scaleMinimum();
    const double top = scaleMaximum();
    const QList<double> shown = values();
    if (!shown.isEmpty()) {
        QPainterPath line;
        const double firstX = area.right() - static_cast<double>(shown.size() - 1) * dx;
        for (qsizetype i = 0; i < shown.size(); ++i) {
            const double share = std::clamp((shown[i] - bottom) / (top - bottom), 0.0, 1.0);
            const QPointF point(firstX + static_cast<double>(i) * dx,
                                area.bottom() - share * area.height());
            if (i == 0) {
                line.moveTo(point);
            } else {
                line.lineTo(point);
            }
        }
        QPainterPath under = line;
        under.lineTo(area.right(), area.bottom());
        under.lineTo(firstX, area.bottom());
        under.closeSubpath();
        QColor fill = colours.color(QPalette::Highlight);
        fill.setAlpha(60);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.fillPath(under, fill);
        painter.setPen(QPen(colours.color(QPalette::Highlight), 1.5));
        painter.drawPath(line);
    }

    painter.setPen(colours.color(QPalette::PlaceholderText));
    const QRectF label = area.adjusted(3, 1, -3, -1);
    painter.drawText(label, Qt::AlignLeft | Qt::AlignTop, locale().toString(top));
    if (bottom != 0) {
        painter.drawText(label, Qt::AlignLeft | Qt::AlignBottom, locale().toString(bottom));
    }
}

} // namespace quorvel
