#include "DrawingCounter.h"

#include <QPainterPath>

#include <algorithm>

namespace quorvel {

DrawingCounter::DrawingCounter(QSize size) : QPaintEngine(AllFeatures), size_(size) {}

QPaintEngine* DrawingCounter::paintEngine() const {
    // The device is its own engine; Qt's interface hands the engine out from a const device.
    return const_cast<DrawingCounter*>(this);
}

bool DrawingCounter::begin(QPaintDevice*) {
    return true;
}

bool DrawingCounter::end() {
    return true;
}

void DrawingCounter::updateState(const QPaintEngineState& state) {
    if (state.state() & DirtyPen) {
        stroked_ = state.pen().style() != Qt::NoPen;
    }
}

void DrawingCounter::drawPixmap(const QRectF&, const QPixmap&, const QRectF&) {}

void DrawingCounter::drawTextItem(const QPointF&, const QTextItem&) {}

void DrawingCounter::drawRects(const QRectF*, int) {}

void DrawingCounter::drawRects(const QRect*, int) {}

void DrawingCounter::drawLines(const QLineF* lines, int count) {
    for (int i = 0; i < count; ++i) {
        if (lines[i].x1() == lines[i].x2()) {
            verticalLines_.append(lines[i].x1());
        }
    }
}

void DrawingCounter::drawLines(const QLine* lines, int count) {
    for (int i = 0; i < count; ++i) {
        const QLineF line(lines[i]);
        drawLines(&line, 1);
    }
}

void DrawingCounter::drawPath(const QPainterPath& path) {
    if (stroked_) {
        largestStrokedPath_ = std::max(largestStrokedPath_, qsizetype{path.elementCount()});
        strokedBounds_ |= path.controlPointRect();
    }
}

void DrawingCounter::drawPolygon(const QPointF*, int, PolygonDrawMode) {}

int DrawingCounter::metric(PaintDeviceMetric metric) const {
    switch (metric) {
    case PdmWidth:
        return size_.width();
    case PdmHeight:
        return size_.height();
    case PdmWidthMM:
        return size_.width() * 254 / 960;
    case PdmHeightMM:
        return size_.height() * 254 / 960;
    case PdmNumColors:
        return 0;
    case PdmDepth:
        return 32;
    case PdmDpiX:
    case PdmDpiY:
    case PdmPhysicalDpiX:
    case PdmPhysicalDpiY:
        return 96;
    case PdmDevicePixelRatio:
        return 1;
    case PdmDevicePixelRatioScaled:
        return static_cast<int>(devicePixelRatioFScale());
    }
    return QPaintDevice::metric(metric);
}

} // namespace quorvel
