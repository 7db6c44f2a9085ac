#include "settings/ReportFont.h"

#include <gtest/gtest.h>

#include <climits>

namespace quorvel {
namespace {

// Points and pixels of the stored font, one from the other at the screen's pixels per inch, as
// the next start reads them back.
TEST(ReportFontSizeTest, PointsAndPixelsFollowEachOtherRoundedHalfAwayFromZero) {
    struct Row {
        const char* what;
        int points;
        int pixelsPerInch;
        int height;
    };
    const Row rows[] = {
        {"ten points at 96", 10, 96, -13},     // 13.33
        {"nine points at 120", 9, 120, -15},   // exact
        {"eleven points at 96", 11, 96, -15},  // 14.67
        {"no screen: 96 assumed", 10, 0, -13}, // a pixels-per-inch of 0 is no screen's
        {"the largest size", INT_MAX, 72, -INT_MAX},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        ReportFont font;
        font.setSize(row.points, row.pixelsPerInch);
        EXPECT_EQ(font.size, row.points);
        EXPECT_EQ(font.height, row.height);
    }
    struct Back {
        int height;
        int size;
    };
    for (const Back back : {Back{-13, 10}, Back{-16, 12}, Back{-15, 11}, Back{-14, 11}}) {
        SCOPED_TRACE(back.height);
        ReportFont font;
        font.setHeight(back.height, 96);
        EXPECT_EQ(font.height, back.height);
        EXPECT_EQ(font.size, back.size);
    }
}

} // namespace
} // namespace quorvel
