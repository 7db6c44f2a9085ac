#include "gui/ReportFontMapping.h"

#include <QApplication>

#include <gtest/gtest.h>

namespace quorvel::test {
namespace {

TEST(ReportFontMappingTest, EverySchemeColourIndexGivesItsPaletteRole) {
    // Every role a colour of its own, so that a wrong role shows.
    QPalette palette;
    for (int role = 0; role < QPalette::NColorRoles; ++role) {
        palette.setColor(QPalette::Active, static_cast<QPalette::ColorRole>(role),
                         QColor(role * 9, 255 - role * 9, role * 5));
    }
    const std::pair<std::uint32_t, QPalette::ColorRole> rows[] = {
        {1, QPalette::Window},           {5, QPalette::Base},
        {7, QPalette::WindowText},       {8, QPalette::WindowText},
        {9, QPalette::HighlightedText},  {12, QPalette::Dark},
        {13, QPalette::Highlight},       {14, QPalette::HighlightedText},
        {15, QPalette::Button},          {16, QPalette::Dark},
        {17, QPalette::PlaceholderText}, {18, QPalette::ButtonText},
        {20, QPalette::Light},           {21, QPalette::Shadow},
        {22, QPalette::Midlight},        {23, QPalette::ToolTipText},
        {24, QPalette::ToolTipBase},     {26, QPalette::Link},
        {0, QPalette::WindowText},       {2, QPalette::WindowText},
        {6, QPalette::WindowText},       {19, QPalette::WindowText},
        {25, QPalette::WindowText},      {0x7fffffff, QPalette::WindowText}};
    for (const auto& [index, role] : rows) {
        SCOPED_TRACE(index);
        const std::uint32_t code = 0x80000000u | index;
        EXPECT_TRUE(isSystemColorCode(code));
        EXPECT_EQ(colorFromCode(code, palette), palette.color(QPalette::Active, role));
    }
}

TEST(ReportFontMappingTest, ExplicitColoursPackRedGreenBlueBothWays) {
    const std::pair<std::uint32_t, QColor> rows[] = {
        {0x000000ff, QColor(255, 0, 0)},        {0x0000ff00, QColor(0, 255, 0)},
        {0x00ff0000, QColor(0, 0, 255)},        {0x00563412, QColor(0x12, 0x34, 0x56)},
        {0x00fe0180, QColor(0x80, 0x01, 0xfe)}, {0x00000000, QColor(0, 0, 0)}};
    for (const auto& [code, color] : rows) {
        SCOPED_TRACE(code);
        EXPECT_FALSE(isSystemColorCode(code));
        EXPECT_EQ(colorFromCode(code, QPalette()), color);
        EXPECT_EQ(codeFromColor(color), code);
    }
}

TEST(ReportFontMappingTest, SizesHeightsAndStylesGoIntoTheFontAndBack) {
    const QFont desktop = QApplication::font();
    const struct {
        const char* name;
        ReportFont stored;
        int pointSize; // -1: sized in pixels
        int pixelSize;
    } rows[] = {
        {"points", {.height = -16, .size = 12}, 12, -1},
        {"points capped", {.size = 5000}, 1000, -1},
        {"pixels", {.height = -20, .size = 0}, -1, 20},
        {"pixels with the leading", {.height = 20, .size = 0}, -1, 20},
        {"neither", {.height = 0, .size = 0}, desktop.pointSize(), -1},
        {"bold", {.bold = true}, 8, -1},
        {"italic", {.italic = true}, 8, -1},
        {"underline", {.underline = true}, 8, -1},
        {"strike out", {.strikeOut = true}, 8, -1},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const QFont font = fontFromReportFont(row.stored, desktop);
        EXPECT_EQ(font.pointSize(), row.pointSize);
        EXPECT_EQ(font.pixelSize(), row.pixelSize);
        const ReportFont back = reportFontFromFont(font, 0x00123456, 96);
        EXPECT_EQ(back.color, 0x00123456u);
        EXPECT_EQ(back.bold, row.stored.bold);
        EXPECT_EQ(back.italic, row.stored.italic);
        EXPECT_EQ(back.underline, row.stored.underline);
        EXPECT_EQ(back.strikeOut, row.stored.strikeOut);
        if (row.pixelSize > 0) {
            EXPECT_EQ(back.height, -row.pixelSize);
            EXPECT_EQ(back.size, row.pixelSize * 72 / 96);
        } else {
            EXPECT_EQ(back.size, row.pointSize);
        }
    }
}

} // namespace
} // namespace quorvel::test
