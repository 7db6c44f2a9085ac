#include "widgets/PerformanceGraph.h"

#include <gtest/gtest.h>

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
        {"nothing yet", {}, 0, 1},          {"all zero", {0, 0}, 0, 1},
        {"up to 7.3", {1, 7.3, 2}, 0, 10},  {"exactly 50", {50}, 0, 50},
        {"just over 2", {2.1}, 0, 5},       {"a fraction", {0.013}, 0, 0.02},
        {"below zero", {-30, 12}, -50, 20},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        PerformanceGraph graph;
        for (const double value : row.values) {
            graph.pushValue(value);
        }
        EXPECT_DOUBLE_EQ(graph.scaleMinimum(), row.bottom);
        EXPECT_DOUBLE_EQ(graph.scaleMaximum(), row.top);
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

} // namespace
} // namespace quorvel
