#pragma once

#include <QList>
#include <QPaintDevice>
#include <QPaintEngine>
#include <QRectF>
#include <QSize>

namespace quorvel {

// A paint device that draws nothing and counts what is drawn on it, so a test can tell how much
// a paint does without timing it. Text and fills of rectangles are not counted.
class DrawingCounter : public QPaintDevice, public QPaintEngine {
public:
    explicit DrawingCounter(QSize size);

    // The x of every vertical line drawn, in the order drawn.
    QList<double> verticalLines() const { return verticalLines_; }
    // The most elements of a path drawn with a pen, and where its paths lay.
    qsizetype largestStrokedPath() const { return largestStrokedPath_; }
    QRectF strokedBounds() const { return strokedBounds_; }

    QPaintEngine* paintEngine() const override;

    bool begin(QPaintDevice* device) override;
    bool end() override;
    void updateState(const QPaintEngineState& state) override;
    void drawPixmap(const QRectF& target, const QPixmap& pixmap, const QRectF& source) override;
    void drawTextItem(const QPointF& point, const QTextItem& text) override;
    void drawRects(const QRectF* rects, int count) override;
    void drawRects(const QRect* rects, int count) override;
    void drawLines(const QLineF* lines, int count) override;
    void drawLines(const QLine* lines, int count) override;
    void drawPath(const QPainterPath& path) override;
    void drawPolygon(const QPointF* points, int count, PolygonDrawMode mode) override;
    Type type() const override { return User; }

protected:
    int metric(PaintDeviceMetric metric) const override;

private:
    QSize size_;
    bool stroked_ = true;
    QList<double> verticalLines_;
    qsizetype largestStrokedPath_ = 0;
    QRectF strokedBounds_;
};

} // namespace quorvel
