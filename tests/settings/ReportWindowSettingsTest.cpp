#include "support/SettingsFixture.h"

#include "settings/ReportWindowSettings.h"

namespace quorvel {
namespace {

using ReportWindowSettingsTest = SettingsFixture;

ReportWindowSettings readFrom(const QString& path, int pixelsPerInch = 96) {
    SettingsStore store(path);
    return readReportWindowSettings(store, pixelsPerInch);
}

TEST_F(ReportWindowSettingsTest, BoundsHaveNoLowerLimit) {
    writeSettings("\"Form2Top\"=dword:ffffff00\n\"Form2Left\"=dword:00000005\n"
                  "\"Form2Width\"=dword:0000000a\n\"Form2Height\"=dword:00000014\n"
                  "\"Form2Maximized\"=dword:00000001\n"
                  "\"Form1Top\"=dword:00000063\n");
    const ReportWindowSettings s = readFrom(path());
    EXPECT_EQ(s.top, -256);
    EXPECT_EQ(s.left, 5);
    EXPECT_EQ(s.width, 10);
    EXPECT_EQ(s.height, 20);
    EXPECT_TRUE(s.maximized);
}

TEST_F(ReportWindowSettingsTest, FontValuesApplyInOrderAndSizeDecides) {
    writeSettings({}, "\"Size\"=dword:0000000c\n\"Height\"=dword:fffffff5\n"
                      "\"Name\"=\"Courier New\"\n\"Color\"=dword:000000ff\n");
    ReportFont font = readFrom(path()).font;
    EXPECT_EQ(font.color, 0xffu);
    EXPECT_EQ(font.name, QStringLiteral("Courier New"));
    EXPECT_EQ(font.size, 12);
    EXPECT_EQ(font.height, -16);
    EXPECT_EQ(readFrom(path(), 120).font.height, -20);

    writeSettings({}, "\"Height\"=dword:ffffffec\n");
    font = readFrom(path()).font;
    EXPECT_EQ(font.height, -20);
    EXPECT_EQ(font.size, 15);
}

TEST_F(ReportWindowSettingsTest, StyleIsBuiltFromTheFlagsAlone) {
    writeSettings({}, "\"Italic\"=dword:00000001\n");
    ReportFont font = readFrom(path()).font;
    EXPECT_TRUE(font.italic);
    EXPECT_FALSE(font.bold || font.underline || font.strikeOut);

    writeSettings({}, "\"Bold\"=dword:00000000\n\"Underline\"=dword:00000005\n"
                      "\"StrikeOut\"=dword:00000001\n");
    font = readFrom(path()).font;
    EXPECT_FALSE(font.bold || font.italic);
    EXPECT_TRUE(font.underline && font.strikeOut);
}

TEST_F(ReportWindowSettingsTest, WrongTypeStopsTheRead) {
    writeSettings({}, "\"Name\"=dword:00000001\n");
    expectSettingsError([&] { readFrom(path()); }, "Invalid data type for 'Name'");
    writeSettings("\"Form2Width\"=\"wide\"\n");
    expectSettingsError([&] { readFrom(path()); }, "Invalid data type for 'Form2Width'");
}

} // namespace
} // namespace quorvel
