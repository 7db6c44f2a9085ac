#include "widgets/Gauge.h"

#include <QAccessible>
#include <QImage>
#include <QPixmap>
#include <QSignalSpy>
#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <vector>

namespace quorvel {
namespace {

// The value stays in its range, and its share of it holds across the whole range of doubles.
TEST(GaugeTest, TheValueStaysInTheRangeAndGivesItsShare) {
    struct Row {
        const char* name;
        double minimum;
        double maximum;
        double value;
        double expected;
        int percentage;
    };
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double infinity = std::numeric_limits<double>::infinity();
    const double largest = std::numeric_limits<double>::max();
    const Row rows[] = {
        {"inside", 0, 100, 42, 42, 42},
        {"below", 0, 100, -5, 0, 0},
        {"above", 0, 100, 250, 100, 100},
        {"a negative range", -40, -10, 0, -10, 100},
        {"not a number keeps the last value", 0, 100, nan, 7, 7},
        {"infinity keeps the last value", 0, 100, infinity, 7, 7},
        {"the middle of plus and minus 1.7e308", -1.7e308, 1.7e308, 0, 0, 50},
        {"the largest doubles either side", -largest, largest, largest / 2, largest / 2, 75},
        {"a tiny range", 0, 1e-300, 0.25e-300, 0.25e-300, 25},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Gauge gauge;
        gauge.setValue(7);
        gauge.setRange(row.minimum, row.maximum);
        gauge.setValue(row.value);
        EXPECT_EQ(gauge.value(), row.expected);
        EXPECT_EQ(gauge.percentage(), row.percentage);
    }
}

// A form sets its properties one by one in the order it holds them, so a value may come before
// the range that allows it.
TEST(GaugeTest, AValueSetBeforeItsRangeSurvivesTheRange) {
    struct Step {
        const char* property;
        double number;
    };
    struct Row {
        const char* name;
        std::vector<Step> steps;
        double value;
        int percentage;
    };
    const Row rows[] = {
        {"the maximum, then the value", {{"maximum", 200}, {"value", 150}}, 150, 75},
        {"the value, then the maximum", {{"value", 150}, {"maximum", 200}}, 150, 75},
        {"a range that never reaches it", {{"value", 150}, {"maximum", 120}}, 120, 100},
        {"a range narrowed and widened again",
         {{"value", 80}, {"maximum", 50}, {"maximum", 100}},
         80,
         80},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Gauge gauge;
        for (const Step& step : row.steps) {
            ASSERT_TRUE(gauge.setProperty(step.property, step.number));
        }
        EXPECT_EQ(gauge.value(), row.value);
        EXPECT_EQ(gauge.percentage(), row.percentage);
    }
    const QMetaObject& meta = Gauge::staticMetaObject;
    EXPECT_LT(meta.indexOfProperty("minimum"), meta.indexOfProperty("value"));
    EXPECT_LT(meta.indexOfProperty("maximum"), meta.indexOfProperty("value"))
        << "Designer saves the properties in the order they are declared";
}

TEST(GaugeTest, ANarrowedRangeMovesTheValueAndSaysSo) {
    Gauge gauge;
    gauge.setValue(80);
    QSignalSpy changed(&gauge, &Gauge::valueChanged);
    gauge.setMaximum(50);
    EXPECT_EQ(gauge.value(), 50);
    gauge.setMinimum(60);
    EXPECT_EQ(gauge.value(), 60);
    EXPECT_EQ(gauge.maximum(), 60) << "a minimum above the maximum takes it along";
    gauge.setMaximum(10);
    EXPECT_EQ(gauge.minimum(), 10) << "and a maximum below the minimum likewise";
    EXPECT_EQ(gauge.value(), 10);
    EXPECT_EQ(changed.count(), 3);
}

TEST(GaugeTest, ThePercentageIsRoundedDownAndSafeOnAnEmptyRange) {
    struct Row {
        const char* name;
        double minimum;
        double maximum;
        double value;
        int percentage;
    };
    const Row rows[] = {
        {"a binary fraction just under", 0, 1, 0.29, 29},
        {"almost there is not done", 0, 1000, 999, 99},
        {"the maximum", 0, 1000, 1000, 100},
        {"an offset range", 50, 150, 75, 25},
        {"an empty range", 5, 5, 5, 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Gauge gauge;
        gauge.setRange(row.minimum, row.maximum);
        gauge.setValue(row.value);
        EXPECT_EQ(gauge.percentage(), row.percentage);
    }
    Gauge gauge;
    gauge.setLocale(QLocale(QLocale::English));
    gauge.setValue(42);
    EXPECT_EQ(gauge.text(), QStringLiteral("42%"));
}

// Right to left, every shape runs from the right as the bar does: a quarter filled shows at a
// point on the left, and right to left at the same point on the right.
TEST(GaugeTest, EveryShapeIsMirroredRightToLeft) {
    struct Row {
        const char* name;
        Gauge::Shape shape;
        QSize size;
        QPoint filledLeftToRight;
    };
    const Row rows[] = {
        {"the bar", Gauge::Bar, {200, 30}, {25, 15}},
        {"the pie, clockwise from twelve", Gauge::Pie, {200, 200}, {150, 50}},
        {"the needle's arc, from nine o'clock", Gauge::Needle, {200, 120}, {15, 74}},
    };
    const auto filled = [](const QImage& image, QPoint point) {
        const QColor colour = image.pixelColor(point);
        return colour.red() > 200 && colour.green() < 60 && colour.blue() < 60;
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Gauge gauge;
        QPalette colours = gauge.palette();
        colours.setColor(QPalette::Highlight, Qt::red);
        colours.setColor(QPalette::Base, Qt::white);
        gauge.setPalette(colours);
        gauge.setShape(row.shape);
        gauge.setTextVisible(false);
        gauge.resize(row.size);
        gauge.setValue(25);
        const QPoint mirrored(row.size.width() - 1 - row.filledLeftToRight.x(),
                              row.filledLeftToRight.y());

        const QImage leftToRight = gauge.grab().toImage();
        EXPECT_TRUE(filled(leftToRight, row.filledLeftToRight));
        EXPECT_FALSE(filled(leftToRight, mirrored));
        gauge.setLayoutDirection(Qt::RightToLeft);
        const QImage rightToLeft = gauge.grab().toImage();
        EXPECT_TRUE(filled(rightToLeft, mirrored));
        EXPECT_FALSE(filled(rightToLeft, row.filledLeftToRight));
    }
}

TEST(GaugeTest, AScreenReaderReadsTheValueItsRangeAndThePercentage) {
    struct Row {
        const char* name;
        double minimum;
        double maximum;
        double value;
        QString text;
    };
    const Row rows[] = {
        {"an offset range", 100, 300, 150, QStringLiteral("25%")},
        {"a value beyond the range", -10, 10, 50, QStringLiteral("100%")},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Gauge gauge;
        gauge.setLocale(QLocale(QLocale::English));
        gauge.setRange(row.minimum, row.maximum);
        gauge.setValue(row.value);
        QAccessibleInterface* face = QAccessible::queryAccessibleInterface(&gauge);
        ASSERT_NE(face, nullptr);
        EXPECT_EQ(face->role(), QAccessible::ProgressBar);
        QAccessibleValueInterface* value = face->valueInterface();
        ASSERT_NE(value, nullptr);
        EXPECT_EQ(value->currentValue().toDouble(), std::min(row.value, row.maximum));
        EXPECT_EQ(value->minimumValue().toDouble(), row.minimum);
        EXPECT_EQ(value->maximumValue().toDouble(), row.maximum);
        EXPECT_EQ(face->text(QAccessible::Value), row.text);
        value->setCurrentValue(row.minimum + 1);
        EXPECT_EQ(value->currentValue().toDouble(), std::min(row.value, row.maximum))
            << "a gauge is only read";
    }
}

} // namespace
} // namespace quorvel
