#include "widgets/Gauge.h"

#include <QSignalSpy>
#include <gtest/gtest.h>

#include <limits>

namespace quorvel {
namespace {

TEST(GaugeTest, TheValueStaysInTheRange) {
    struct Row {
        const char* name;
        double minimum;
        double maximum;
        double value;
        double expected;
    };
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double infinity = std::numeric_limits<double>::infinity();
    const Row rows[] = {
        {"inside", 0, 100, 42, 42},
        {"below", 0, 100, -5, 0},
        {"above", 0, 100, 250, 100},
        {"a negative range", -40, -10, 0, -10},
        {"not a number keeps the last value", 0, 100, nan, 7},
        {"infinity keeps the last value", 0, 100, infinity, 7},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Gauge gauge;
        gauge.setValue(7);
        gauge.setRange(row.minimum, row.maximum);
        gauge.setValue(row.value);
        EXPECT_EQ(gauge.value(), row.expected);
    }
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

} // namespace
} // namespace quorvel
