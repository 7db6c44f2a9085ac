#pragma once

#include <QWidget>

namespace quorvel {

// A value between a minimum and a maximum, drawn as a bar, a pie or a needle on a half dial,
// with the share of the range as a whole percentage; right to left, all three are mirrored. The
// value always lies in the range: a value outside it is taken as the nearer end, and a narrowed
// range moves the value into it. The value asked for is kept, so a range set after it, as a form
// may do, gives it back.
class Gauge : public QWidget {
    Q_OBJECT
    // The range first: Designer saves, and uic sets, the properties in this order.
    Q_PROPERTY(double minimum READ minimum WRITE setMinimum)
    Q_PROPERTY(double maximum READ maximum WRITE setMaximum)
    Q_PROPERTY(double value READ value WRITE setValue NOTIFY valueChanged)
    Q_PROPERTY(Shape shape READ shape WRITE setShape)
    Q_PROPERTY(bool textVisible READ isTextVisible WRITE setTextVisible)

public:
    enum Shape { Bar, Pie, Needle };
    Q_ENUM(Shape)

    explicit Gauge(QWidget* parent = nullptr);

    double value() const { return value_; }
    double minimum() const { return minimum_; }
    double maximum() const { return maximum_; }
    // A maximum below the minimum is taken as the minimum. Numbers that are not finite are
    // ignored, here and in setValue().
    void setRange(double minimum, double maximum);
    void setMinimum(double minimum);
    void setMaximum(double maximum);
    Shape shape() const { return shape_; }
    void setShape(Shape shape);
    bool isTextVisible() const { return textVisible_; }
    void setTextVisible(bool visible);

    // How far the value is along the range, 0 to 1; 0 when the range is empty.
    double fraction() const;
    // The fraction in whole percent, rounded down, so 100 means the maximum is reached.
    int percentage() const;
    QString text() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

public slots:
    void setValue(double value);

signals:
    void valueChanged(double value);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void clampValue();
    // Tells the screen, screen readers and connections of a new value.
    void valueMoved();
    void paintBar(QPainter& painter);
    void paintPie(QPainter& painter);
    void paintNeedle(QPainter& painter);

    double value_ = 0;
    // The value last asked for, which the range may not allow yet.
    double requested_ = 0;
    double minimum_ = 0;
    double maximum_ = 100;
    Shape shape_ = Bar;
    bool textVisible_ = true;
};

} // namespace quorvel
