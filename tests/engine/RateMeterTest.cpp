#include "engine/RateMeter.h"
#include "report/ReportLineFormat.h"

#include <gtest/gtest.h>

namespace quorvel {
namespace {

TEST(RateMeter, TheTimeLeftFollowsARateThatChanges) {
    RateMeter meter(5.0);
    meter.start(0);
    meter.add(0.5, 50);
    EXPECT_FALSE(meter.bytesPerSecond()) << "not before a second of work";
    double done = 50;
    for (double t = 1; t <= 10; t += 0.5) { // 100 bytes a second from the cache
        done = 100 * t;
        meter.add(t, done);
    }
    EXPECT_DOUBLE_EQ(*meter.bytesPerSecond(), 100);
    EXPECT_DOUBLE_EQ(*meter.secondsLeft(3000), 20);
    for (double t = 10.5; t <= 16; t += 0.5) { // then 10 a second from the disk
        done += 5;
        meter.add(t, done);
    }
    EXPECT_DOUBLE_EQ(*meter.bytesPerSecond(), 10) << "the last seconds alone count";
    EXPECT_DOUBLE_EQ(*meter.secondsLeft(done + 600), 60);
    EXPECT_DOUBLE_EQ(*meter.secondsLeft(done - 1), 0) << "a file that grew never gives less";
}

TEST(FormatDuration, MinutesAndSecondsThenHours) {
    const struct {
        double seconds;
        const char* text;
    } rows[] = {{0, "0:00"},     {0.2, "0:01"},     {59, "0:59"},      {61, "1:01"},
                {3599, "59:59"}, {3600, "1:00:00"}, {3723, "1:02:03"}, {-5, "0:00"}};
    for (const auto& row : rows) {
        EXPECT_EQ(formatDuration(row.seconds), row.text) << row.seconds;
    }
}

} // namespace
} // namespace quorvel
