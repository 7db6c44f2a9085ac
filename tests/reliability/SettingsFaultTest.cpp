// Settings files that are damaged, written by two instances at once, or left by an instance
// killed in the middle of a save. (Single readers and writers are covered in tests/app.)

#include "settings/MainWindowSettings.h"
#include "settings/ReportWindowSettings.h"
#include "settings/SettingsError.h"
#include "settings/SettingsFile.h"
#include "settings/SettingsNames.h"
#include "settings/SettingsStore.h"
#include "support/SettingsFixture.h"
#include "support/SettingsSample.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <csignal>
#include <optional>
#include <spawn.h>
#include <sys/wait.h>

extern char** environ;

namespace quorvel::test {
namespace {

namespace names = settings_names;

const QByteArray& kHeader = kProgramHeader;

class SettingsFaultTest : public SettingsFixture {
protected:
    QStringList filesBesideTheSettings() const {
        return QDir(QFileInfo(path()).absolutePath())
            .entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    }

    // The sample a whole stored set came from; nothing when its values are not all of one.
    std::optional<int> storedSample() const {
        SettingsStore store(path());
        SettingsStore::KeyCloser closer(store);
        if (!store.openKey(names::kProgramKey, false)) {
            return std::nullopt;
        }
        const int value = store.readInteger(names::kForm1Top);
        const ClosingSettings s = sampleSettings(value);
        const bool whole = store.readInteger(names::kForm1Left) == s.mainWindow.left &&
                           store.readInteger(names::kForm1Width) == s.mainWindow.width &&
                           store.readInteger(names::kForm1Height) == s.mainWindow.height &&
                           store.readString(names::kCompDir1) == s.leftDirectory &&
                           store.readString(names::kCompDir2) == s.rightDirectory &&
                           store.readInteger(names::kForm2Top) == s.reportWindow.top &&
                           store.readInteger(names::kForm2Height) == s.reportWindow.height &&
                           store.readInteger(names::kLanguage) == s.language &&
                           store.openKey(names::kReportFontKey, false) &&
                           store.readString(names::kName) == s.reportFont.name;
        return whole ? std::optional(value) : std::nullopt;
    }

    pid_t startWriter(int value, int times, bool killedBeforeRename = false) const {
        const std::string file = QFile::encodeName(path()).toStdString();
        const std::string v = std::to_string(value);
        const std::string t = std::to_string(times);
        std::vector<char*> argv{const_cast<char*>(QUORVEL_SETTINGS_WRITER_BIN),
                                const_cast<char*>(file.c_str()), const_cast<char*>(v.c_str()),
                                const_cast<char*>(t.c_str())};
        if (killedBeforeRename) {
            argv.push_back(const_cast<char*>("--killed-before-rename"));
        }
        argv.push_back(nullptr);
        pid_t pid = -1;
        EXPECT_EQ(::posix_spawn(&pid, argv[0], nullptr, nullptr, argv.data(), environ), 0);
        return pid;
    }
};

struct BadFile {
    const char* what;
    QByteArray bytes;
    std::optional<int> top; // Form1Top as read, when it reads cleanly
};

QByteArray garbage() {
    QByteArray bytes;
    std::uint32_t x = 12345;
    for (int i = 0; i < 4096; ++i) {
        x = x * 1103515245u + 12345u;
        bytes.append(static_cast<char>(x >> 24));
    }
    return bytes;
}

TEST_F(SettingsFaultTest, ADamagedFileKeepsWhatReadsCleanlyAndIsKeptAsideWhenRead) {
    const BadFile cases[] = {
        {"empty", QByteArray(), std::nullopt},
        {"binary garbage", garbage(), std::nullopt},
        {"an unterminated string", kHeader + "\"Form1Top\"=dword:00000001\n\"CompDir1\"=\"/ho\n",
         1},
        {"a dword without digits", kHeader + "\"Form1Top\"=dword:\n", std::nullopt},
        {"a dword of 9 digits", kHeader + "\"Form1Top\"=dword:000000064\n", std::nullopt},
        {"a 10 MB line", kHeader + "\"CompDir1\"=\"" + QByteArray(10 << 20, 'x') + "\"\n",
         std::nullopt},
    };
    for (const BadFile& bad : cases) {
        SCOPED_TRACE(bad.what);
        QFile::remove(path() + QStringLiteral(".bad"));
        writeFile(bad.bytes);

        SettingsStore store(path());
        testing::internal::CaptureStderr();
        const MainWindowSettings main = readMainWindowSettings(store);
        const std::string said = testing::internal::GetCapturedStderr();
        EXPECT_NE(said.find("settings.reg.bad"), std::string::npos) << said;
        EXPECT_EQ(main.top, bad.top);
        EXPECT_EQ(main.width, MainWindowSettings::kDesignWidth);
        EXPECT_EQ(main.language, kNoLanguage);
        const ReportWindowSettings report = readReportWindowSettings(store);
        EXPECT_EQ(report.width, ReportWindowSettings::kDesignWidth);
        EXPECT_EQ(report.font, ReportFont{});
        EXPECT_EQ(fileBytes(path()), bad.bytes) << "reading changes nothing";

        EXPECT_EQ(fileBytes(path() + QStringLiteral(".bad")), bad.bytes);
        writeClosingSettings(store, sampleSettings(7));
        EXPECT_EQ(fileBytes(path() + QStringLiteral(".bad")), bad.bytes);
        EXPECT_EQ(storedSample(), 7);
        EXPECT_EQ(filesBesideTheSettings(), (QStringList{QStringLiteral("settings.reg"),
                                                         QStringLiteral("settings.reg.bad")}));
    }
}

TEST_F(SettingsFaultTest, AValueOfTheWrongTypeStopsTheStartAndTheFileStaysAsItWas) {
    const QByteArray bytes = kHeader + "\"Language\"=dword:00000001\n\"Form1Top\"=\"100\"\n";
    writeFile(bytes);
    SettingsStore store(path());
    expectSettingsError([&] { readMainWindowSettings(store); }, "Invalid data type for 'Form1Top'");
    EXPECT_EQ(fileBytes(path()), bytes);
    EXPECT_EQ(filesBesideTheSettings(), QStringList{QStringLiteral("settings.reg")});
}

TEST_F(SettingsFaultTest, TwoProcessesClosingAtOnceLeaveOneWholeSetAndNeverAHalfFile) {
    {
        SettingsStore store(path());
        writeClosingSettings(store, sampleSettings(0));
    }
    const pid_t first = startWriter(1, 4);
    const pid_t second = startWriter(2, 4);
    ASSERT_GT(first, 0);
    ASSERT_GT(second, 0);
    // Whatever moment a third instance starts at, it finds a whole file.
    int running = 2;
    int statuses[2] = {-1, -1};
    int looks = 0;
    while (running > 0) {
        SettingsFile file(path());
        const auto state = file.load().state;
        ++looks;
        ASSERT_EQ(state, SettingsFile::State::Loaded) << "look " << looks;
        for (int i = 0; i < 2; ++i) {
            int status = 0;
            if (statuses[i] == -1 && ::waitpid(i == 0 ? first : second, &status, WNOHANG) > 0) {
                statuses[i] = status;
                --running;
            }
        }
    }
    for (const int status : statuses) {
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
    }
    const auto winner = storedSample();
    ASSERT_TRUE(winner == 1 || winner == 2);
    EXPECT_EQ(filesBesideTheSettings(), QStringList{QStringLiteral("settings.reg")});
}

TEST_F(SettingsFaultTest, AProcessKilledBeforeTheRenameLeavesTheEarlierFileWhole) {
    {
        SettingsStore store(path());
        writeClosingSettings(store, sampleSettings(4));
    }
    const QByteArray before = fileBytes(path());
    const pid_t writer = startWriter(5, 1, true);
    int status = 0;
    ASSERT_EQ(::waitpid(writer, &status, 0), writer);
    ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL) << status;
    EXPECT_EQ(fileBytes(path()), before);
    EXPECT_EQ(storedSample(), 4);
    // The dead instance's lock does not stop the next close.
    SettingsStore store(path());
    writeClosingSettings(store, sampleSettings(6));
    EXPECT_EQ(storedSample(), 6);
    EXPECT_EQ(filesBesideTheSettings(), QStringList{QStringLiteral("settings.reg")});
}

} // namespace
} // namespace quorvel::test
