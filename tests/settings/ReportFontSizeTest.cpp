#include "settings/ReportFont.h"

#include <gtest/gtest.h>

#include <climits>

namespace quorvel {
namespace {

// Points and pixels of the stored font, one from the other, as the next start reads them back:
// rounded half away from zero, 96 pixels an inch where the screen tells none.
TEST(ReportFontSizeTest, PointsAndPixelsFollowEachOther) {
    const struct {
        int points;
        int pixelsPerInch;
        int height;
    } rows[] = {{10, 96, -13}, {9, 120, -15}, {11, 96, -15}, {10, 0, -13}, {INT_MAX, 72, -INT_MAX}};
    for (const auto& row : rows) {
        ReportFont font;
        font.setSize(row.points, row.pixelsPerInch);
        EXPECT_EQ(font.height, row.height) << row.points << " at " << row.pixelsPerInch;
    }
    for (const auto& [height, size] : {std::pair{-13, 10}, {-15, 11}, {-14, 11}}) {
        ReportFont font;
        font.setHeight(height, 96);
        EXPECT_EQ(font.size, size) << height;
    }
}

} // namespace
} // namespace quorvel
