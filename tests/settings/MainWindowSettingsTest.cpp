#include "support/SettingsFixture.h"

#include "settings/MainWindowSettings.h"
#include "settings/ReportWindowSettings.h"

namespace quorvel {
namespace {

using MainWindowSettingsTest = SettingsFixture;

MainWindowSettings readFrom(const QString& path) {
    SettingsStore store(path);
    return readMainWindowSettings(store);
}

TEST_F(MainWindowSettingsTest, NoSettingsLeaveEveryDesignValue) {
    const MainWindowSettings main = readFrom(path());
    EXPECT_EQ(main.top, std::nullopt);
    EXPECT_EQ(main.left, std::nullopt);
    EXPECT_EQ(main.width, 499);
    EXPECT_EQ(main.height, 452);
    EXPECT_FALSE(main.maximized);
    EXPECT_EQ(main.language, kNoLanguage);
    EXPECT_EQ(main.leftDirectory, std::nullopt);
    EXPECT_EQ(main.rightDirectory, std::nullopt);

    SettingsStore store(path());
    const ReportWindowSettings report = readReportWindowSettings(store);
    EXPECT_EQ(report.top, std::nullopt);
    EXPECT_EQ(report.left, std::nullopt);
    EXPECT_EQ(report.width, 595);
    EXPECT_EQ(report.height, 420);
    EXPECT_FALSE(report.maximized);
    EXPECT_EQ(report.font, ReportFont{});
    EXPECT_EQ(report.font.color, 0x80000008u);
    EXPECT_EQ(report.font.height, -11);
    EXPECT_EQ(report.font.name, QStringLiteral("MS Sans Serif"));
    EXPECT_EQ(report.font.size, 8);
    EXPECT_FALSE(report.font.bold || report.font.italic || report.font.underline ||
                 report.font.strikeOut);
}

TEST_F(MainWindowSettingsTest, SizeNeedsTheLowerBoundPositionIsTakenAsItIs) {
    writeSettings("\"Form1Top\"=dword:fffff830\n\"Form1Left\"=dword:00002710\n"
                  "\"Form1Width\"=dword:000001f1\n\"Form1Height\"=dword:000001c1\n"
                  "\"Form1Maximized\"=dword:00000002\n");
    MainWindowSettings s = readFrom(path());
    EXPECT_EQ(s.top, -2000);
    EXPECT_EQ(s.left, 10000);
    EXPECT_EQ(s.width, 499) << "497 is ignored";
    EXPECT_EQ(s.height, 452) << "449 is ignored";
    EXPECT_TRUE(s.maximized);

    writeSettings("\"Form1Width\"=dword:000001f2\n\"Form1Height\"=dword:000001c2\n"
                  "\"Form1Maximized\"=dword:00000000\n");
    s = readFrom(path());
    EXPECT_EQ(s.width, 498);
    EXPECT_EQ(s.height, 450);
    EXPECT_FALSE(s.maximized);
}

TEST_F(MainWindowSettingsTest, LanguageIsTheLowByteTakenAsSigned) {
    const std::pair<const char*, int> cases[] = {
        {"00000006", 6}, {"00000100", 0}, {"000000c8", -56}, {"ffffffff", -1}, {"00000105", 5}};
    for (const auto& [stored, expected] : cases) {
        writeSettings(QByteArray("\"Language\"=dword:") + stored + "\n");
        EXPECT_EQ(readFrom(path()).language, expected) << stored;
    }
}

TEST_F(MainWindowSettingsTest, DirectoriesAreTakenOnlyWhenTheyExist) {
    const QString existing = tmp_.path();
    const QString file = path();
    writeSettings("\"CompDir1\"=\"" + existing.toUtf8() + "\"\n\"CompDir2\"=\"" + file.toUtf8() +
                  "\"\n");
    MainWindowSettings s = readFrom(path());
    EXPECT_EQ(s.leftDirectory, existing);
    EXPECT_EQ(s.rightDirectory, std::nullopt) << "a file is not a directory";

    writeSettings("\"CompDir1\"=\"" + existing.toUtf8() + "/deleted\"\n\"CompDir2\"=\"\"\n");
    s = readFrom(path());
    EXPECT_EQ(s.leftDirectory, std::nullopt);
    EXPECT_EQ(s.rightDirectory, std::nullopt);
}

TEST_F(MainWindowSettingsTest, WrongTypeStopsTheReadAtTheFirstSuchValue) {
    writeSettings("\"Language\"=\"1\"\n\"Form1Top\"=\"100\"\n");
    expectSettingsError([&] { readFrom(path()); }, "Invalid data type for 'Form1Top'");
    writeSettings("\"Language\"=hex(4):01,00\n");
    expectSettingsError([&] { readFrom(path()); }, "Failed to get data for 'Language'");
}

} // namespace
} // namespace quorvel
