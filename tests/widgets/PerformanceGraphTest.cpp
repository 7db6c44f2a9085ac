#include "widgets/PerformanceGraph.h"

#include "DrawingCounter.h"

#include <QAccessible>
#include <QLocale>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>

namespace quorvel {
namespace {

using Values = QList<double>;

TEST(PerformanceGraphTest, TheRingKeepsTheNewestValuesInOrder) {
    PerformanceGraph graph;
    graph.setPointCount(3);
    graph.pushValue(1);
    graph.pushValue(2);
    EXPECT_EQ(graph.values(), (Values{1, 2}));
    for (const double value : {3, 4, 5, 6, 7}) {
        graph.pushValue(value);
    }
    EXPECT_EQ(graph.values(), (Values{5, 6, 7}));
    graph.pushValue(std::numeric_limits<double>::quiet_NaN());
    EXPECT_EQ(graph.values(), (Values{5, 6, 7})) << "a value that is no number is dropped";

    graph.setPointCount(2);
    EXPECT_EQ(graph.values(), (Values{6, 7})) << "a smaller ring keeps the newest";
    graph.setPointCount(4);
    graph.pushValue(8);
    graph.pushValue(9);
    graph.pushValue(10);
    EXPECT_EQ(graph.values(), (Values{7, 8, 9, 10}));
    graph.clear();
    EXPECT_TRUE(graph.values().isEmpty());
    graph.setPointCount(0);
    EXPECT_EQ(graph.pointCount(), 2);
}

TEST(PerformanceGraphTest, TheAutomaticScaleReachesTheHighestValueRoundedUp) {
    struct Row {
        const char* name;
        Values values;
        double bottom;
        double top;
    };
    const Row rows[] = {
        {"nothing yet", {}, 0, 1},
        {"all zero", {0, 0}, 0, 1},
        {"up to 7.3", {1, 7.3, 2}, 0, 10},
        {"exactly 50", {50}, 0, 50},
        {"just over 2", {2.1}, 0, 5},
        {"a fraction", {0.013}, 0, 0.02},
        {"below zero", {-30, 12}, -50, 20},
        {"near the largest double", {1.7e308}, 0, std::numeric_limits<double>::max()},
        {"both ends of the doubles",
         {-1.7e308, 1.7e308},
         -std::numeric_limits<double>::max(),
         std::numeric_limits<double>::max()},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        PerformanceGraph graph;
        for (const double value : row.values) {
            graph.pushValue(value);
        }
        EXPECT_DOUBLE_EQ(graph.scaleMinimum(), row.bottom);
        EXPECT_DOUBLE_EQ(graph.scaleMaximum(), row.top);
        EXPECT_TRUE(std::isfinite(graph.scaleMinimum()) && std::isfinite(graph.scaleMaximum()));
    }
}

TEST(PerformanceGraphTest, AFixedScaleIgnoresTheValues) {
    PerformanceGraph graph;
    graph.setAutoScale(false);
    graph.setMinimum(10);
    graph.setMaximum(20);
    graph.pushValue(500);
    EXPECT_EQ(graph.scaleMinimum(), 10);
    EXPECT_EQ(graph.scaleMaximum(), 20);
    graph.setMaximum(10);
    EXPECT_EQ(graph.scaleMaximum(), 11) << "an empty range still has a height";
}

// A paint draws what the width can show, whatever the number of points: what it draws is counted,
// not timed.
TEST(PerformanceGraphTest, APaintDrawsNoMoreThanTheWidthCanShow) {
    struct Row {
        const char* name;
        int points;
        int pushed;
        int gridStep;
        int width;
        qsizetype leastElements;
        qsizetype mostElements;
    };
    const Row rows[] = {
        {"sixty points ten pixels apart", 60, 60, 10, 591, 60, 60},
        {"a million points and a grid line each", 1'000'000, 1'000'000, 1, 401, 400, 802},
        {"a million points, half of them pushed", 1'000'000, 500'000, 10, 401, 200, 402},
    };
    constexpr int height = 101;
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        PerformanceGraph graph;
        graph.setPointCount(row.points);
        graph.setGridStep(row.gridStep);
        graph.setAutoScale(false);
        graph.setMinimum(0);
        graph.setMaximum(100);
        // One spike among zeros, which the line must still reach.
        for (int i = 0; i < row.pushed; ++i) {
            graph.pushValue(i == row.pushed / 2 ? 100 : 0);
        }
        graph.resize(row.width, height);
        DrawingCounter counter(graph.size());
        graph.render(&counter);

        EXPECT_GE(counter.largestStrokedPath(), row.leastElements);
        EXPECT_LE(counter.largestStrokedPath(), row.mostElements);
        EXPECT_LT(counter.strokedBounds().top(), 1.5);
        EXPECT_GT(counter.strokedBounds().bottom(), height - 1.5);

        QList<double> lines = counter.verticalLines();
        std::sort(lines.begin(), lines.end());
        ASSERT_FALSE(lines.isEmpty());
        EXPECT_LE(lines.size(), row.width / 4 + 1);
        double closest = row.width;
        for (qsizetype i = 1; i < lines.size(); ++i) {
            closest = std::min(closest, lines[i] - lines[i - 1]);
        }
        EXPECT_GE(closest, 4) << "grid lines at most one every few pixels";
    }
}

TEST(PerformanceGraphTest, ValuesAcrossTheWholeDoubleRangeAreDrawnWhereTheyBelong) {
    PerformanceGraph graph;
    graph.setPointCount(3);
    const double largest = std::numeric_limits<double>::max();
    for (const double value : {-largest, 0.0, largest}) {
        graph.pushValue(value);
    }
    graph.resize(201, 101);
    DrawingCounter counter(graph.size());
    graph.render(&counter);
    EXPECT_EQ(counter.largestStrokedPath(), 3);
    EXPECT_LT(counter.strokedBounds().top(), 1.5) << "the highest at the top";
    EXPECT_GT(counter.strokedBounds().bottom(), 99.5) << "the lowest at the bottom";
}

TEST(PerformanceGraphTest, AScreenReaderReadsTheNewestValueAndTheScale) {
    struct Row {
        const char* name;
        Values values;
        bool autoScale;
        QVariant latest;
        QString text;
        double bottom;
        double top;
    };
    const Row rows[] = {
        {"nothing yet", {}, true, QVariant(), QString(), 0, 1},
        {"the newest of three", {3, 12, 7.5}, true, 7.5, QStringLiteral("7.5"), 0, 20},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        PerformanceGraph graph;
        graph.setLocale(QLocale(QLocale::English));
        graph.setAutoScale(row.autoScale);
        for (const double value : row.values) {
            graph.pushValue(value);
        }
        QAccessibleInterface* face = QAccessible::queryAccessibleInterface(&graph);
        ASSERT_NE(face, nullptr);
        EXPECT_EQ(face->role(), QAccessible::Chart);
        QAccessibleValueInterface* value = face->valueInterface();
        ASSERT_NE(value, nullptr);
        EXPECT_EQ(value->currentValue(), row.latest);
        EXPECT_EQ(face->text(QAccessible::Value), row.text);
        EXPECT_EQ(value->minimumValue().toDouble(), row.bottom);
        EXPECT_EQ(value->maximumValue().toDouble(), row.top);
    }
}

} // namespace
} // namespace quorvel
