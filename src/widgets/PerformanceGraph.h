#pragma once

#include <QList>
#include <QPainterPath>
#include <QWidget>

#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

class QPainter;

namespace quorvel {

// A line of the last pointCount values pushed in, the newest at the right edge, over a grid
// that scrolls with them; its vertical lines are kept a few pixels apart, and more values than
// pixel columns are drawn as the lowest and highest of each column. The scale is either fixed
// (minimum to maximum) or follows the values shown, from zero (or the lowest value, when below
// zero) up to the highest, rounded up to 1, 2 or 5 times a power of ten.
class PerformanceGraph : public QWidget {
    Q_OBJECT
    Q_PROPERTY(int pointCount READ pointCount WRITE setPointCount)
    Q_PROPERTY(bool autoScale READ autoScale WRITE setAutoScale)
    Q_PROPERTY(double minimum READ minimum WRITE setMinimum)
    Q_PROPERTY(double maximum READ maximum WRITE setMaximum)
    Q_PROPERTY(int gridStep READ gridStep WRITE setGridStep)

public:
    explicit PerformanceGraph(QWidget* parent = nullptr);

    int pointCount() const { return static_cast<int>(ring_.size()); }
    // At least two; the newest values are kept.
    void setPointCount(int count);
    bool autoScale() const { return autoScale_; }
    void setAutoScale(bool on);
    double minimum() const { return minimum_; }
    void setMinimum(double minimum);
    double maximum() const { return maximum_; }
    void setMaximum(double maximum);
    // Points between two vertical grid lines.
    int gridStep() const { return gridStep_; }
    void setGridStep(int points);

    // The values shown, oldest first.
    QList<double> values() const;
    // The newest value shown, or nothing.
    std::optional<double> latestValue() const;
    // The range the height of the widget stands for.
    double scaleMinimum() const;
    double scaleMaximum() const;
    // The smallest of 1, 2 and 5 times a power of ten at or above a positive number.
    static double roundedUp(double value);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

public slots:
    // Numbers that are not finite are dropped.
    void pushValue(double value);
    void clear();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    // The index-th value shown, oldest first.
    double shownValue(std::size_t index) const;
    // The lowest and the highest value shown, or zeros.
    std::pair<double, double> shownExtremes() const;
    void paintGrid(QPainter& painter, const QRectF& area, double dx) const;
    // At most two points a pixel column, whatever the number of values.
    QPainterPath plotLine(const QRectF& area, double dx, double bottom, double top) const;

    std::vector<double> ring_;
    std::size_t oldest_ = 0;
    std::size_t count_ = 0;
    // Every value ever pushed, so the grid moves on with the line even once the ring is full.
    std::uint64_t pushed_ = 0;
    bool autoScale_ = true;
    double minimum_ = 0;
    double maximum_ = 100;
    int gridStep_ = 10;
};

} // namespace quorvel
