#include "support/SettingsFixture.h"

#include "settings/ClosingSettings.h"
#include "settings/MainWindowSettings.h"
#include "settings/ReportWindowSettings.h"

#include <QDir>
#include <QSaveFile>

#include <functional>
#include <sys/stat.h>

namespace quorvel {
namespace {

using DamagedSettingsTest = SettingsFixture;
using ClosingWriteTest = SettingsFixture;

const QByteArray kGoodValues = "\"Form1Top\"=dword:00000064\n"
                               "\"Language\"=dword:00000004\n"
                               "\"Form2Width\"=dword:00000258\n";
const QByteArray kGoodFont = "\"Name\"=\"Courier New\"\n"
                             "\"Bold\"=dword:00000001\n"
                             "\"StrikeOut\"=dword:00000001\n";

ClosingSettings sample() {
    ClosingSettings s;
    s.mainWindow = {10, 20, 500, 450};
    s.leftDirectory = "/l";
    s.language = kGerman;
    return s;
}

QStringList filesIn(const QString& dir) {
    return QDir(dir).entryList(QDir::Files | QDir::Hidden, QDir::Name);
}

TEST_F(DamagedSettingsTest, EveryValueThatReadsCleanlyIsKept) {
    struct Row {
        const char* what;
        QByteArray bytes;
    };
    const Row rows[] = {
        {"the last line cut", kProgramHeader + kGoodValues + kFontHeader + kGoodFont.chopped(12)},
        {"a line of no known form",
         kProgramHeader + "\"Form1Left\"=what\n" + kGoodValues + kFontHeader + kGoodFont},
        {"a line that is not UTF-8",
         kProgramHeader + kGoodValues + "\"CompDir1\"=\"/\xff\"\n" + kFontHeader + kGoodFont},
        {"a line with a NUL byte",
         kProgramHeader + kGoodValues + "\"A\"=\"x" + '\0' + "\"\n" + kFontHeader + kGoodFont},
        {"no REGEDIT4 line", kProgramHeader.sliced(10) + kGoodValues + kFontHeader + kGoodFont},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        QFile::remove(path() + QStringLiteral(".bad"));
        writeFile(row.bytes);
        SettingsStore store(path());
        const MainWindowSettings main = readMainWindowSettings(store);
        const ReportWindowSettings report = readReportWindowSettings(store, 96);
        EXPECT_EQ(main.top, 100);
        EXPECT_EQ(main.language, kGerman);
        EXPECT_EQ(report.width, 600);
        EXPECT_EQ(report.font.name, QStringLiteral("Courier New"));
        EXPECT_TRUE(report.font.bold);

        const auto damage = store.takeDamage();
        ASSERT_TRUE(damage.has_value());
        EXPECT_EQ(damage->copyPath, path() + QStringLiteral(".bad"));
        EXPECT_EQ(fileBytes(damage->copyPath), row.bytes);
        EXPECT_FALSE(store.takeDamage().has_value()) << "told once";
        EXPECT_EQ(fileBytes(path()), row.bytes) << "reading changes nothing";
    }
}

TEST_F(DamagedSettingsTest, AValueUnderAKeyLineThatCannotBeReadIsLeftOut) {
    writeFile(kProgramHeader + kGoodValues +
              "\n[HKEY_CURRENT_USER\\Software\\Quorvel\\ReportFont\n" + kGoodFont);
    SettingsStore store(path());
    const ReportWindowSettings report = readReportWindowSettings(store, 96);
    EXPECT_EQ(report.width, 600);
    EXPECT_EQ(report.font, ReportFont{});
}

TEST_F(DamagedSettingsTest, EachDamagedFileIsKeptAndNoCopyIsEverReplaced) {
    const QByteArray first = kProgramHeader + kGoodValues + "\"A\"=\"cut";
    const QByteArray second = kProgramHeader + "\"B\"=\"cut";
    writeFile(first);
    {
        SettingsStore store(path());
        readMainWindowSettings(store);
        // A second start before any close finds the copy it already has.
        SettingsStore again(path());
        readMainWindowSettings(again);
        EXPECT_EQ(again.takeDamage()->copyPath, path() + QStringLiteral(".bad"));
        writeClosingSettings(store, sample());
    }
    writeFile(second);
    SettingsStore store(path());
    readMainWindowSettings(store);
    EXPECT_EQ(store.takeDamage()->copyPath, path() + QStringLiteral(".bad.2"));
    writeClosingSettings(store, sample());

    EXPECT_EQ(fileBytes(path() + QStringLiteral(".bad")), first);
    EXPECT_EQ(fileBytes(path() + QStringLiteral(".bad.2")), second);
    EXPECT_EQ(filesIn(dir()),
              QStringList({"settings.reg", "settings.reg.bad", "settings.reg.bad.2"}));
    SettingsStore clean(path());
    EXPECT_EQ(readMainWindowSettings(clean).left, 20);
    EXPECT_FALSE(clean.takeDamage().has_value());
}

TEST_F(ClosingWriteTest, TheFileIsReplacedOnceAndSyncedWithItsFolder) {
    SettingsStore store(path());
    int commits = 0;
    store.setCommitStep([&commits](QSaveFile& file) {
        ++commits;
        return file.commit();
    });
    std::vector<bool> syncedFolders;
    store.setSyncCall([&syncedFolders](int fd) {
        struct stat info {};
        syncedFolders.push_back(::fstat(fd, &info) == 0 && S_ISDIR(info.st_mode));
        return ::fsync(fd);
    });
    writeClosingSettings(store, sample());
    EXPECT_EQ(commits, 1);
    EXPECT_EQ(syncedFolders, std::vector<bool>({false, true})); // the file, then its folder
    SettingsStore reader(path());
    const MainWindowSettings read = readMainWindowSettings(reader);
    EXPECT_EQ(read.left, 20);
    EXPECT_EQ(read.language, kGerman);
}

TEST_F(ClosingWriteTest, AFailedReplacementLeavesTheFileAsItWasAndNamesTheFirstValue) {
    writeSettings(kGoodValues);
    SettingsStore store(path());
    store.setCommitStep([](QSaveFile&) { return false; });
    expectSettingsError([&] { writeClosingSettings(store, sample()); },
                        "Failed to set data for 'Form1Top'");
    EXPECT_EQ(fileBytes(path()), kProgramHeader + kGoodValues);
    // The lock is given back: a later close saves.
    store.setCommitStep([](QSaveFile& file) { return file.commit(); });
    store.setLockTimeout(std::chrono::milliseconds(0));
    writeClosingSettings(store, sample());
    EXPECT_NE(fileBytes(path()), kProgramHeader + kGoodValues);
}

TEST_F(ClosingWriteTest, AWindowNeverPlacedLeavesItsPlaceToTheWindowSystem) {
    ClosingSettings s = sample();
    s.reportWindow = {0, 0, 600, 420, false};
    SettingsStore store(path());
    writeClosingSettings(store, s);
    SettingsStore reader(path());
    const ReportWindowSettings read = readReportWindowSettings(reader, 96);
    EXPECT_EQ(read.top, std::nullopt);
    EXPECT_EQ(read.left, std::nullopt);
    EXPECT_EQ(read.width, 600);
}

using StoredPathTest = SettingsFixture;

TEST_F(StoredPathTest, EveryPathComesBackAsItsBytesAndUtf8StaysPlainText) {
    struct Row {
        const char* name;
        QByteArray path;
        QByteArray storedAs;
    };
    const Row rows[] = {
        {"ASCII", "/home/u/data", "\"CompDir1\"=\"/home/u/data\""},
        {"UTF-8", "/home/u/caf\xc3\xa9", "\"CompDir1\"=\"/home/u/caf\xc3\xa9\""},
        {"Latin-1", "/home/u/caf\xe9", "\"CompDir1\"=hex(1):2f,68,6f,6d,65,2f,75,2f,63,61,66,e9"},
        {"a lone continuation byte", "/x\x80y", "\"CompDir1\"=hex(1):2f,78,80,79"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        QFile::remove(path());
        {
            SettingsStore store(path());
            ASSERT_TRUE(store.openKey(QStringLiteral("\\Software\\Quorvel"), true));
            store.writePath(QStringLiteral("CompDir1"), row.path);
            store.closeKey();
        }
        EXPECT_TRUE(fileBytes(path()).contains(row.storedAs)) << fileBytes(path()).toStdString();
        SettingsStore store(path());
        ASSERT_TRUE(store.openKey(QStringLiteral("\\Software\\Quorvel"), false));
        EXPECT_EQ(store.readPath(QStringLiteral("CompDir1")), row.path);
    }
}

} // namespace
} // namespace quorvel
