#include "support/SettingsFixture.h"

#include "settings/ClosingSettings.h"
#include "settings/MainWindowSettings.h"
#include "settings/ReportWindowSettings.h"

#include <QSaveFile>

namespace quorvel {
namespace {

using ClosingSettingsTest = SettingsFixture;

ClosingSettings sample() {
    ClosingSettings s;
    s.mainWindow = {100, -20, 500, 450};
    s.leftDirectory = "/l";
    s.rightDirectory = "/r";
    s.reportWindow = {1, 2, 3, 4};
    s.language = -56;
    s.reportFont.color = 0xff;
    s.reportFont.setSize(12, 96);
    s.reportFont.name = QStringLiteral("Courier New");
    s.reportFont.bold = true;
    s.reportFont.strikeOut = true;
    return s;
}

TEST_F(ClosingSettingsTest, WritesEveryValueInItsOrder) {
    SettingsStore store(path());
    writeClosingSettings(store, sample());
    EXPECT_EQ(fileBytes(path()), kProgramHeader +
                                     "\"Form1Top\"=dword:00000064\n"
                                     "\"Form1Left\"=dword:ffffffec\n"
                                     "\"Form1Width\"=dword:000001f4\n"
                                     "\"Form1Height\"=dword:000001c2\n"
                                     "\"Form1Maximized\"=dword:00000000\n"
                                     "\"CompDir1\"=\"/l\"\n"
                                     "\"CompDir2\"=\"/r\"\n"
                                     "\"Form2Top\"=dword:00000001\n"
                                     "\"Form2Left\"=dword:00000002\n"
                                     "\"Form2Width\"=dword:00000003\n"
                                     "\"Form2Height\"=dword:00000004\n"
                                     "\"Form2Maximized\"=dword:00000000\n"
                                     "\"Language\"=dword:ffffffc8\n" +
                                     kFontHeader +
                                     "\"Color\"=dword:000000ff\n"
                                     "\"Height\"=dword:fffffff0\n"
                                     "\"Name\"=\"Courier New\"\n"
                                     "\"Size\"=dword:0000000c\n"
                                     "\"Bold\"=dword:00000001\n"
                                     "\"Italic\"=dword:00000000\n"
                                     "\"Underline\"=dword:00000000\n"
                                     "\"StrikeOut\"=dword:00000001\n");
}

TEST_F(ClosingSettingsTest, MaximizedWindowsKeepTheBoundsToRestore) {
    SettingsStore store(path());
    writeClosingSettings(store, sample());
    ClosingSettings maximized = sample();
    maximized.mainWindow = {0, 0, 1920, 1080};
    maximized.mainWindowMaximized = true;
    maximized.reportWindow = {0, 0, 1920, 1080};
    maximized.reportWindowMaximized = true;
    writeClosingSettings(store, maximized);

    const MainWindowSettings main = readMainWindowSettings(store);
    EXPECT_EQ(main.top, 100);
    EXPECT_EQ(main.left, -20);
    EXPECT_EQ(main.width, 500);
    EXPECT_EQ(main.height, 450);
    EXPECT_TRUE(main.maximized);
    EXPECT_EQ(main.language, -56);
    const ReportWindowSettings report = readReportWindowSettings(store);
    EXPECT_EQ(report.width, 3);
    EXPECT_TRUE(report.maximized);
    EXPECT_EQ(report.font, sample().reportFont);
}

TEST_F(ClosingSettingsTest, StoredLanguage200ComesBackAsMinus56) {
    writeSettings("\"Language\"=dword:000000c8\n");
    SettingsStore store(path());
    ClosingSettings s;
    s.language = readMainWindowSettings(store).language;
    writeClosingSettings(store, s);
    EXPECT_TRUE(fileBytes(path()).contains("\"Language\"=dword:ffffffc8\n"));
}

TEST_F(ClosingSettingsTest, FailedWriteStopsAtItsValueAndReleasesTheLock) {
    SettingsStore store(path());
    store.setCommitStep([](QSaveFile&) { return false; });
    expectSettingsError([&] { writeClosingSettings(store, sample()); },
                        "Failed to set data for 'Form1Top'");

    SettingsStore next(path());
    next.setLockTimeout(std::chrono::milliseconds(0));
    ClosingSettings maximized = sample();
    maximized.mainWindowMaximized = true;
    writeClosingSettings(next, maximized);
    EXPECT_TRUE(
        fileBytes(path()).startsWith(kProgramHeader + "\"Form1Maximized\"=dword:00000001\n"));
}

} // namespace
} // namespace quorvel
