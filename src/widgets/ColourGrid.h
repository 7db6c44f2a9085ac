#pragma once

#include <QColor>
#include <QList>
#include <QWidget>

namespace quorvel {

// A grid of colour swatches, one of them chosen. A click or the arrow keys choose; Home and End
// take the first and the last. A chosen colour that is not among the swatches stays chosen with
// no swatch marked.
class ColourGrid : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QColor currentColour READ currentColour WRITE setCurrentColour NOTIFY
                   currentColourChanged USER true)
    Q_PROPERTY(int columns READ columns WRITE setColumns)
    Q_PROPERTY(int swatchSize READ swatchSize WRITE setSwatchSize)
    Q_PROPERTY(QList<QColor> colours READ colours WRITE setColours DESIGNABLE false)

public:
    explicit ColourGrid(QWidget* parent = nullptr);

    // Eight greys from white to black over four rows of eight hues, light to dark.
    static QList<QColor> standardColours();

    QColor currentColour() const { return current_; }
    // The swatch of the current colour, or -1.
    int currentIndex() const { return colours_.indexOf(current_); }

    QList<QColor> colours() const { return colours_; }
    void setColours(const QList<QColor>& colours);
    int columns() const { return columns_; }
    // At least one.
    void setColumns(int columns);
    int swatchSize() const { return swatchSize_; }
    // At least four pixels, and no more than a widget can be.
    void setSwatchSize(int pixels);

    // The swatch under a point, or -1.
    int indexAt(QPoint point) const;
    QRect swatchRect(int index) const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

public slots:
    // An invalid colour is ignored.
    void setCurrentColour(const QColor& colour);

signals:
    void currentColourChanged(const QColor& colour);

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    qint64 rows() const;

    QList<QColor> colours_;
    QColor current_;
    int columns_ = 8;
    int swatchSize_ = 20;
};

} // namespace quorvel
