#include "widgets/PerformanceGraph.h"

#include "widgets/AccessibleGraph.h"

#include <QAccessible>
#include <QLocale>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>
#include <limits>

namespace quorvel {

namespace {

constexpr int horizontalLines = 4;
// Closer vertical grid lines would only grey the graph over.
constexpr double minimumGridGap = 6;

} // namespace

PerformanceGraph::PerformanceGraph(QWidget* parent) : QWidget(parent), ring_(60) {
    AccessibleGraph::installFactory();
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
    QAccessibleValueChangeEvent event(this, value);
    QAccessible::updateAccessibility(&event);
}

std::optional<double> PerformanceGraph::latestValue() const {
    if (count_ == 0) {
        return std::nullopt;
    }
    return shownValue(count_ - 1);
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
    // Near the largest double, the next round number is beyond it: the largest double stands in.
    const double largest = std::numeric_limits<double>::max();
    for (const double step : {1.0, 2.0, 5.0, 10.0}) {
        // The allowance keeps an exact 2 or 50 from being taken for a hair above it.
        if (value <= step * power * (1 + 1e-12)) {
            return std::min(step * power, largest);
        }
    }
    return std::min(10 * power, largest);
}

double PerformanceGraph::shownValue(std::size_t index) const {
    return ring_[(oldest_ + index) % ring_.size()];
}

std::pair<double, double> PerformanceGraph::shownExtremes() const {
    if (count_ == 0) {
        return {0, 0};
    }
    std::pair<double, double> extremes(shownValue(0), shownValue(0));
    for (std::size_t i = 1; i < count_; ++i) {
        const double value = shownValue(i);
        extremes.first = std::min(extremes.first, value);
        extremes.second = std::max(extremes.second, value);
    }
    return extremes;
}

double PerformanceGraph::scaleMinimum() const {
    if (!autoScale_) {
        return std::min(minimum_, maximum_);
    }
    const double lowest = shownExtremes().first;
    return lowest < 0 ? -roundedUp(-lowest) : 0;
}

double PerformanceGraph::scaleMaximum() const {
    const double bottom = scaleMinimum();
    double top = 0;
    if (!autoScale_) {
        top = std::max(minimum_, maximum_);
    } else {
        const double highest = shownExtremes().second;
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
    if (!(area.width() > 0) || !(area.height() > 0)) {
        return;
    }

    // Newest at the right edge; a point every dx pixels.
    const double dx = area.width() / static_cast<double>(ring_.size() - 1);
    QColor gridColour = colours.color(QPalette::Mid);
    gridColour.setAlpha(110);
    painter.setPen(gridColour);
    for (int line = 1; line < horizontalLines; ++line) {
        const double y = area.top() + area.height() * line / horizontalLines;
        painter.drawLine(QPointF(area.left(), y), QPointF(area.right(), y));
    }
    paintGrid(painter, area, dx);

    const double bottom = scaleMinimum();
    const double top = scaleMaximum();
    const QPainterPath line = plotLine(area, dx, bottom, top);
    if (!line.isEmpty()) {
        QPainterPath under = line;
        under.lineTo(line.currentPosition().x(), area.bottom());
        under.lineTo(line.elementAt(0).x, area.bottom());
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

void PerformanceGraph::paintGrid(QPainter& painter, const QRectF& area, double dx) const {
    // With points too close for a line every gridStep, a line every so many steps, so the
    // lines keep to their points as the graph scrolls.
    auto every = static_cast<std::uint64_t>(gridStep_);
    const double gap = gridStep_ * dx;
    if (gap < minimumGridGap) {
        const double times = std::ceil(minimumGridGap / gap);
        every = times * gridStep_ > static_cast<double>(ring_.size())
                    ? static_cast<std::uint64_t>(ring_.size())
                    : every * static_cast<std::uint64_t>(times);
    }
    const auto shift = static_cast<double>(pushed_ % every);
    const double step = static_cast<double>(every) * dx;
    for (double x = area.right() - shift * dx; x >= area.left(); x -= step) {
        painter.drawLine(QPointF(x, area.top()), QPointF(x, area.bottom()));
    }
}

QPainterPath PerformanceGraph::plotLine(const QRectF& area, double dx, double bottom,
                                        double top) const {
    QPainterPath line;
    if (count_ == 0) {
        return line;
    }
    const auto add = [&line](QPointF point) {
        if (line.elementCount() == 0) {
            line.moveTo(point);
        } else {
            line.lineTo(point);
        }
    };
    // Halves, should the scale be wider than the largest double.
    const bool halve = !std::isfinite(top - bottom);
    const double span = halve ? top / 2 - bottom / 2 : top - bottom;
    const auto yOf = [&](double value) {
        const double offset = halve ? value / 2 - bottom / 2 : value - bottom;
        return area.bottom() - std::clamp(offset / span, 0.0, 1.0) * area.height();
    };
    const double firstX = area.right() - static_cast<double>(count_ - 1) * dx;
    const auto xOf = [&](std::size_t index) { return firstX + static_cast<double>(index) * dx; };
    if (dx >= 1) {
        for (std::size_t i = 0; i < count_; ++i) {
            add(QPointF(xOf(i), yOf(shownValue(i))));
        }
        return line;
    }
    // More points than pixel columns: the lowest and the highest of each column, in the order
    // they came, draw what the width can show of every point.
    std::size_t i = 0;
    while (i < count_) {
        const double column = std::floor(xOf(i));
        std::size_t lowAt = i;
        std::size_t highAt = i;
        for (++i; i < count_ && std::floor(xOf(i)) == column; ++i) {
            if (shownValue(i) < shownValue(lowAt)) {
                lowAt = i;
            }
            if (shownValue(i) > shownValue(highAt)) {
                highAt = i;
            }
        }
        const double x = column + 0.5;
        add(QPointF(x, yOf(shownValue(std::min(lowAt, highAt)))));
        if (lowAt != highAt) {
            add(QPointF(x, yOf(shownValue(std::max(lowAt, highAt)))));
        }
    }
    return line;
}

} // namespace quorvel
