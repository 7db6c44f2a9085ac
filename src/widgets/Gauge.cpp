#include "widgets/Gauge.h"

#include "widgets/AccessibleGauge.h"

#include <QAccessible>
#include <QLocale>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace quorvel {

Gauge::Gauge(QWidget* parent) : QWidget(parent) {
    AccessibleGauge::installFactory();
    setAccessibleName(tr("Gauge"));
    setAccessibleDescription(text());
}

void Gauge::setValue(double value) {
    if (!std::isfinite(value)) {
        return;
    }
    requested_ = value;
    const double clamped = std::clamp(value, minimum_, maximum_);
    if (clamped == value_) {
        return;
    }
    value_ = clamped;
    valueMoved();
}

void Gauge::setRange(double minimum, double maximum) {
    if (!std::isfinite(minimum) || !std::isfinite(maximum)) {
        return;
    }
    minimum_ = minimum;
    maximum_ = std::max(minimum, maximum);
    clampValue();
}

void Gauge::setMinimum(double minimum) {
    setRange(minimum, std::max(minimum, maximum_));
}

void Gauge::setMaximum(double maximum) {
    setRange(std::min(minimum_, maximum), maximum);
}

void Gauge::clampValue() {
    const double clamped = std::clamp(requested_, minimum_, maximum_);
    if (clamped != value_) {
        value_ = clamped;
        valueMoved();
    } else {
        // The same value is a new share of a new range.
        setAccessibleDescription(text());
        update();
    }
}

void Gauge::valueMoved() {
    setAccessibleDescription(text());
    update();
    QAccessibleValueChangeEvent event(this, value_);
    QAccessible::updateAccessibility(&event);
    emit valueChanged(value_);
}

void Gauge::setShape(Shape shape) {
    shape_ = shape;
    updateGeometry();
    update();
}

void Gauge::setTextVisible(bool visible) {
    textVisible_ = visible;
    update();
}

double Gauge::fraction() const {
    double offset = value_ - minimum_;
    double span = maximum_ - minimum_;
    if (!std::isfinite(span)) {
        // A range wider than the largest double: halves of the ends cannot overflow.
        offset = value_ / 2 - minimum_ / 2;
        span = maximum_ / 2 - minimum_ / 2;
    }
    if (!(span > 0)) {
        return 0;
    }
    return std::clamp(offset / span, 0.0, 1.0);
}

int Gauge::percentage() const {
    // The small allowance keeps 0.29 from showing as 28 through the binary fraction.
    return static_cast<int>(std::floor(fraction() * 100 + 1e-9));
}

QString Gauge::text() const {
    return locale().toString(percentage()) + locale().percent();
}

QSize Gauge::sizeHint() const {
    const QFontMetrics metrics = fontMetrics();
    const int textWidth = metrics.horizontalAdvance(locale().toString(100) + locale().percent());
    switch (shape_) {
    case Pie:
        return {textWidth * 3, textWidth * 3};
    case Needle:
        return {textWidth * 4, textWidth * 2 + metrics.height() * 2};
    case Bar:
        break;
    }
    return {textWidth * 5, metrics.height() + 8};
}

QSize Gauge::minimumSizeHint() const {
    const QFontMetrics metrics = fontMetrics();
    const int textWidth = metrics.horizontalAdvance(locale().toString(100) + locale().percent());
    return shape_ == Bar ? QSize(textWidth + 8, metrics.height() + 4)
                         : QSize(textWidth * 2, textWidth * 2);
}

void Gauge::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    switch (shape_) {
    case Bar:
        paintBar(painter);
        break;
    case Pie:
        paintPie(painter);
        break;
    case Needle:
        paintNeedle(painter);
        break;
    }
}

void Gauge::paintBar(QPainter& painter) {
    const QPalette& colours = palette();
    const QRectF frame = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    painter.setPen(colours.color(QPalette::Mid));
    painter.setBrush(colours.base());
    painter.drawRoundedRect(frame, 3, 3);

    QRectF filled = frame.adjusted(1.5, 1.5, -1.5, -1.5);
    filled.setWidth(filled.width() * fraction());
    if (isRightToLeft()) {
        filled.moveRight(frame.right() - 1.5);
    }
    painter.setPen(Qt::NoPen);
    painter.setBrush(colours.highlight());
    painter.drawRoundedRect(filled, 2, 2);

    if (textVisible_) {
        // The text changes colour where the bar passes under it.
        painter.setPen(colours.color(QPalette::Text));
        painter.drawText(frame, Qt::AlignCenter, text());
        painter.setClipRect(filled);
        painter.setPen(colours.color(QPalette::HighlightedText));
        painter.drawText(frame, Qt::AlignCenter, text());
    }
}

void Gauge::paintPie(QPainter& painter) {
    const QPalette& colours = palette();
    const int side = std::min(width(), height()) - 2;
    const QRectF circle((width() - side) / 2.0, (height() - side) / 2.0, side, side);
    painter.setPen(colours.color(QPalette::Mid));
    painter.setBrush(colours.base());
    painter.drawEllipse(circle);
    painter.setPen(Qt::NoPen);
    painter.setBrush(colours.highlight());
    // Clockwise from twelve o'clock, or anticlockwise right to left as the bar runs; angles are
    // in sixteenths of a degree.
    const int sweep = static_cast<int>(std::lround(fraction() * 360 * 16));
    painter.drawPie(circle, 90 * 16, isRightToLeft() ? sweep : -sweep);
    // A hole in the middle keeps the text off the coloured slice.
    const double hole = side * 0.3;
    painter.setPen(colours.color(QPalette::Mid));
    painter.setBrush(colours.base());
    painter.drawEllipse(circle.center(), hole, hole);
    if (textVisible_) {
        painter.setPen(colours.color(QPalette::Text));
        painter.drawText(
            QRectF(circle.center().x() - hole, circle.center().y() - hole, 2 * hole, 2 * hole),
            Qt::AlignCenter, text());
    }
}

void Gauge::paintNeedle(QPainter& painter) {
    const QPalette& colours = palette();
    const int textHeight = textVisible_ ? fontMetrics().height() : 0;
    const double radius =
        std::max(4.0, std::min((width() - 4) / 2.0, height() - 4.0 - textHeight - 4.0));
    const QPointF centre(width() / 2.0, 2 + radius + (height() - 4 - textHeight - radius) / 2.0);
    const QRectF dial(centre.x() - radius, centre.y() - radius, 2 * radius, 2 * radius);

    const double band = std::max(3.0, radius / 8);
    const QRectF arc = dial.adjusted(band / 2, band / 2, -band / 2, -band / 2);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(colours.color(QPalette::Mid), band, Qt::SolidLine, Qt::FlatCap));
    painter.drawArc(arc, 0, 180 * 16);
    // From the left end clockwise, or right to left from the right end, as the bar runs.
    const bool mirrored = isRightToLeft();
    const int sweep = static_cast<int>(std::lround(fraction() * 180 * 16));
    painter.setPen(QPen(colours.highlight(), band, Qt::SolidLine, Qt::FlatCap));
    painter.drawArc(arc, mirrored ? 0 : 180 * 16, mirrored ? sweep : -sweep);

    // Ticks at every tenth, longer at the ends and the middle.
    painter.setPen(QPen(colours.color(QPalette::Text), 1));
    for (int tick = 0; tick <= 10; ++tick) {
        const double angle = std::numbers::pi * (1 - tick / 10.0);
        const double inner = radius - band - (tick % 5 == 0 ? band * 1.5 : band * 0.8);
        const QPointF direction(std::cos(angle), -std::sin(angle));
        painter.drawLine(centre + direction * inner, centre + direction * (radius - band));
    }

    const double angle = std::numbers::pi * (mirrored ? fraction() : 1 - fraction());
    const QPointF tip = centre + QPointF(std::cos(angle), -std::sin(angle)) * (radius - band * 2);
    painter.setPen(
        QPen(colours.color(QPalette::Text), std::max(2.0, band / 2), Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(centre, tip);
    painter.setPen(Qt::NoPen);
    painter.setBrush(colours.color(QPalette::Text));
    painter.drawEllipse(centre, band, band);

    if (textVisible_) {
        painter.setPen(colours.color(QPalette::Text));
        painter.drawText(QRectF(0, centre.y() + band + 2, width(), textHeight), Qt::AlignCenter,
                         text());
    }
}

} // namespace quorvel
