#include "widgets/ColourGrid.h"

#include "widgets/AccessibleColourGrid.h"

#include <QAccessible>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

namespace quorvel {

namespace {

constexpr int spacing = 3;

// Positions and sizes are worked out in 64 bits and kept within what a widget can be, so no
// number of columns or swatch size wraps round to a negative one.
int bounded(qint64 pixels) {
    return static_cast<int>(std::clamp<qint64>(pixels, 0, QWIDGETSIZE_MAX));
}

} // namespace

ColourGrid::ColourGrid(QWidget* parent)
    : QWidget(parent), colours_(standardColours()), current_(Qt::black) {
    AccessibleColourGrid::installFactory();
    setFocusPolicy(Qt::StrongFocus);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    setAccessibleName(tr("Colours"));
    setAccessibleDescription(current_.name());
}

QList<QColor> ColourGrid::standardColours() {
    QList<QColor> colours;
    for (int step = 0; step < 8; ++step) {
        const int level = 255 - step * 255 / 7;
        colours.append(QColor(level, level, level));
    }
    const int hues[] = {0, 30, 55, 120, 180, 210, 270, 320};
    const int values[][2] = {{80, 255}, {200, 255}, {255, 190}, {255, 120}};
    for (const auto& [saturation, value] : values) {
        for (const int hue : hues) {
            colours.append(QColor::fromHsv(hue, saturation, value));
        }
    }
    return colours;
}

void ColourGrid::setCurrentColour(const QColor& colour) {
    if (!colour.isValid() || colour == current_) {
        return;
    }
    current_ = colour;
    setAccessibleDescription(current_.name());
    update();
    if (const int index = currentIndex(); index >= 0) {
        QAccessibleEvent selection(this, QAccessible::Selection);
        selection.setChild(index);
        QAccessible::updateAccessibility(&selection);
        if (hasFocus()) {
            QAccessibleEvent focus(this, QAccessible::Focus);
            focus.setChild(index);
            QAccessible::updateAccessibility(&focus);
        }
    }
    emit currentColourChanged(current_);
}

void ColourGrid::setColours(const QList<QColor>& colours) {
    colours_ = colours;
    updateGeometry();
    update();
}

void ColourGrid::setColumns(int columns) {
    columns_ = std::max(1, columns);
    updateGeometry();
    update();
}

void ColourGrid::setSwatchSize(int pixels) {
    swatchSize_ = std::clamp(pixels, 4, QWIDGETSIZE_MAX);
    updateGeometry();
    update();
}

qint64 ColourGrid::rows() const {
    return (static_cast<qint64>(colours_.size()) + columns_ - 1) / columns_;
}

QRect ColourGrid::swatchRect(int index) const {
    const qint64 step = qint64{swatchSize_} + spacing;
    qint64 column = index % columns_;
    if (isRightToLeft()) {
        column = columns_ - 1 - column;
    }
    return {bounded(spacing + column * step), bounded(spacing + index / columns_ * step),
            swatchSize_, swatchSize_};
}

int ColourGrid::indexAt(QPoint point) const {
    for (int index = 0; index < colours_.size(); ++index) {
        if (swatchRect(index).contains(point)) {
            return index;
        }
    }
    return -1;
}

QSize ColourGrid::sizeHint() const {
    const qint64 step = qint64{swatchSize_} + spacing;
    return {bounded(spacing + columns_ * step),
            bounded(spacing + std::max<qint64>(1, rows()) * step)};
}

void ColourGrid::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QPalette& colours = palette();
    painter.fillRect(rect(), colours.window());
    for (int index = 0; index < colours_.size(); ++index) {
        const QRect swatch = swatchRect(index);
        painter.fillRect(swatch, colours_[index]);
        painter.setPen(colours.color(QPalette::Mid));
        painter.drawRect(swatch.adjusted(0, 0, -1, -1));
    }
    const int chosen = currentIndex();
    if (chosen >= 0) {
        // Two rings, so the mark shows on light and dark swatches alike.
        const QRect swatch = swatchRect(chosen);
        painter.setPen(QPen(
            colours.color(hasFocus() ? QPalette::Active : QPalette::Inactive, QPalette::Highlight),
            2));
        painter.drawRect(swatch.adjusted(-1, -1, 0, 0));
        painter.setPen(colours.color(QPalette::Base));
        painter.drawRect(swatch.adjusted(1, 1, -2, -2));
    }
}

void ColourGrid::keyPressEvent(QKeyEvent* event) {
    const int last = static_cast<int>(colours_.size()) - 1;
    const int at = currentIndex();
    if (last < 0) {
        QWidget::keyPressEvent(event);
        return;
    }
    const int forward = isRightToLeft() ? -1 : 1;
    const int column = std::max(at, 0) % columns_;
    int next = at < 0 ? 0 : at;
    switch (event->key()) {
    case Qt::Key_Left:
        if (at >= 0 && column - forward >= 0 && column - forward < columns_) {
            next = at - forward;
        }
        break;
    case Qt::Key_Right:
        if (at >= 0 && column + forward >= 0 && column + forward < columns_) {
            next = at + forward;
        }
        break;
    case Qt::Key_Up:
        if (at >= columns_) {
            next = at - columns_;
        }
        break;
    case Qt::Key_Down:
        if (at >= 0 && at <= last - columns_) {
            next = at + columns_;
        }
        break;
    case Qt::Key_Home:
        next = 0;
        break;
    case Qt::Key_End:
        next = last;
        break;
    default:
        QWidget::keyPressEvent(event);
        return;
    }
    setCurrentColour(colours_[std::min(next, last)]);
    event->accept();
}

void ColourGrid::mousePressEvent(QMouseEvent* event) {
    const int index = indexAt(event->position().toPoint());
    if (event->button() == Qt::LeftButton && index >= 0) {
        setCurrentColour(colours_[index]);
        event->accept();
        return;
    }
    QWidget::mousePressEvent(event);
}

} // namespace quorvel
