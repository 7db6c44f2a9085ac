#include "support/ScopedEnvironment.h"
#include "support/SettingsFixture.h"
#include "support/SettingsSample.h"

#include "settings/ClosingSettings.h"
#include "settings/MainWindowSettings.h"
#include "settings/PrivateDirectory.h"
#include "settings/SettingsFile.h"

#include <QDir>
#include <QLockFile>
#include <QSaveFile>
#include <QTemporaryDir>

#include <algorithm>
#include <cstring>
#include <optional>
#include <thread>
#include <utility>
#include <vector>

#include <pwd.h>

#include <sys/stat.h>
#include <unistd.h>

namespace quorvel {
namespace {

using SettingsFileTest = SettingsFixture;

const QString kRoot = QStringLiteral("\\Software\\Quorvel");
const QString kTop = QStringLiteral("Form1Top");

bool existsWithValue(const QString& path, const QString& name) {
    SettingsStore store(path);
    return store.openKey(kRoot, false) && store.valueExists(name);
}

// Writes Form1Left = 7 into the settings at `path` and returns what was said on the standard
// error meanwhile.
std::string writeLeftAndTellWhatWasSaid(const QString& path) {
    SettingsStore store(path);
    testing::internal::CaptureStderr();
    if (!store.openKey(kRoot, true)) {
        testing::internal::GetCapturedStderr();
        ADD_FAILURE() << "the program key does not open";
        return {};
    }
    store.writeInteger(QStringLiteral("Form1Left"), 7);
    return testing::internal::GetCapturedStderr();
}

TEST(SettingsPathTest, FollowsXdgConfigHomeElseHomeConfig) {
    QTemporaryDir tmp;
    test::ScopedEnvironment environment;
    environment.set("XDG_CONFIG_HOME", QFile::encodeName(tmp.path()).toStdString());
    const QString expected = tmp.path() + QStringLiteral("/Quorvel/settings.reg");
    EXPECT_EQ(SettingsStore::defaultFilePath(), expected);
    {
        SettingsStore store;
        ASSERT_TRUE(store.openKey(kRoot, true));
        store.writeInteger(kTop, 1);
    }
    EXPECT_TRUE(existsWithValue(expected, kTop));
    environment.unset("XDG_CONFIG_HOME");
    EXPECT_EQ(SettingsStore::defaultFilePath(),
              QDir::homePath() + QStringLiteral("/.config/Quorvel/settings.reg"));
}

TEST(SettingsPathTest, TheScopedEnvironmentPutsBackWhatWasThereBeforeItsFirstChange) {
    const char* probe = "QUORVEL_GUARD_PROBE";
    qputenv(probe, "before");
    {
        test::ScopedEnvironment environment;
        environment.set(probe, "first");
        environment.set(probe, "second");
        environment.unset(probe);
    }
    EXPECT_EQ(qgetenv(probe), QByteArray("before"));
    qunsetenv(probe);
    {
        test::ScopedEnvironment environment;
        environment.set(probe, "first");
        environment.set(probe, "second");
    }
    EXPECT_FALSE(qEnvironmentVariableIsSet(probe));
}

TEST(SettingsPathTest, ARelativeXdgConfigHomeIsIgnoredAndNoHomeMeansThePasswordDatabase) {
    QTemporaryDir home;
    test::ScopedEnvironment environment;
    environment.set("HOME", QFile::encodeName(home.path()).toStdString());
    const QString underHome = home.path() + QStringLiteral("/.config/Quorvel/settings.reg");
    for (const QByteArray& relative :
         {QByteArray("relative/config"), QByteArray("."), QByteArray("~/.config"), QByteArray()}) {
        environment.set("XDG_CONFIG_HOME", relative.toStdString());
        EXPECT_EQ(SettingsStore::defaultFilePath().toStdString(), underHome.toStdString())
            << relative.toStdString();
    }
    environment.unset("XDG_CONFIG_HOME");
    environment.unset("HOME");
    const passwd* user = ::getpwuid(::geteuid());
    ASSERT_NE(user, nullptr);
    EXPECT_EQ(SettingsStore::defaultFilePath().toStdString(),
              std::string(user->pw_dir) + "/.config/Quorvel/settings.reg");
}

TEST_F(SettingsFileTest, FoldersTheStoreMakesAreTheUsersAlone) {
    const QString existing = tmp_.path() + QStringLiteral("/existing");
    ASSERT_TRUE(QDir().mkpath(existing));
    ASSERT_EQ(::chmod(QFile::encodeName(existing).constData(), 0755), 0);
    const mode_t oldMask = ::umask(022);
    {
        SettingsStore store(existing + QStringLiteral("/config/Quorvel/settings.reg"));
        ASSERT_TRUE(store.openKey(kRoot, true));
        store.writeInteger(kTop, 1);
    }
    ::umask(oldMask);
    auto modeOf = [](const QString& path) {
        struct stat status {};
        EXPECT_EQ(::stat(QFile::encodeName(path).constData(), &status), 0);
        return status.st_mode & 07777;
    };
    EXPECT_EQ(modeOf(existing), 0755u);
    EXPECT_EQ(modeOf(existing + QStringLiteral("/config")), 0700u);
    EXPECT_EQ(modeOf(existing + QStringLiteral("/config/Quorvel")), 0700u);
    EXPECT_TRUE(existsWithValue(existing + QStringLiteral("/config/Quorvel/settings.reg"), kTop));
}

TEST_F(SettingsFileTest, DamagedFileKeepsItsCleanValuesAndIsKeptAsBadWhenRead) {
    const QByteArray damaged[] = {
        "[HKEY_CURRENT_USER\\Software\\Quorvel]\n\"Form1Top\"=dword:00000001\n",
        kProgramHeader + "\"Form1Top\"=dword:00000001\n\"A\"=\"x" + '\0' + "\"\n",
        kProgramHeader + "\"Form1Top\"=dword:00000001\n\"A\"=\"unterminated\n",
        kProgramHeader + "\"Form1Top\"=dword:00000001\n\"A\"=\"" + QByteArray(100000, 'x') + "\"\n",
    };
    for (const QByteArray& bytes : damaged) {
        QFile::remove(path() + QStringLiteral(".bad"));
        writeFile(bytes);
        testing::internal::CaptureStderr();
        EXPECT_TRUE(existsWithValue(path(), kTop));
        const std::string said = testing::internal::GetCapturedStderr();
        EXPECT_NE(said.find("settings.reg.bad"), std::string::npos) << said;
        EXPECT_EQ(fileBytes(path()), bytes) << "reading changes nothing";
        EXPECT_EQ(fileBytes(path() + QStringLiteral(".bad")), bytes);

        writeLeftAndTellWhatWasSaid(path());
        EXPECT_EQ(fileBytes(path() + QStringLiteral(".bad")), bytes);
        EXPECT_EQ(fileBytes(path()), kProgramHeader + "\"Form1Top\"=dword:00000001\n"
                                                      "\"Form1Left\"=dword:00000007\n");
    }
}

TEST_F(SettingsFileTest, ADamagedFileStaysInPlaceWhenItsReplacementFails) {
    const QByteArray bytes = kProgramHeader + "\"A\"=\"unterminated\n";
    writeFile(bytes);
    SettingsStore store(path());
    store.setCommitStep([](QSaveFile&) { return false; });
    ASSERT_TRUE(store.openKey(kRoot, true));
    testing::internal::CaptureStderr();
    EXPECT_THROW(store.writeInteger(kTop, 1), SettingsError);
    testing::internal::GetCapturedStderr();
    store.closeKey();
    EXPECT_EQ(fileBytes(path()), bytes);
    EXPECT_EQ(fileBytes(path() + QStringLiteral(".bad")), bytes);
}

TEST_F(SettingsFileTest, ADamagedFileReachedThroughSymbolicLinksIsKeptByItsBytes) {
    // A dotfiles folder linked into the configuration folder, by an absolute and by a relative
    // link; a chain of two links as well.
    const QString dotfiles = tmp_.path() + QStringLiteral("/dotfiles");
    ASSERT_TRUE(QDir().mkpath(dotfiles));
    ASSERT_TRUE(QDir().mkpath(dir()));
    const QString target = dotfiles + QStringLiteral("/settings.reg");
    const QString middle = dotfiles + QStringLiteral("/middle.reg");
    ASSERT_TRUE(QFile::link(QStringLiteral("settings.reg"), middle));
    const QString linkTargets[] = {target, QStringLiteral("../dotfiles/settings.reg"), middle};
    const QByteArray bytes = kProgramHeader + "\"Form1Top\"=dword:00000001\n\"A\"=\"unterminated\n";
    for (const QString& linkTarget : linkTargets) {
        SCOPED_TRACE(linkTarget.toStdString());
        QFile::remove(path());
        QFile::remove(path() + QStringLiteral(".bad"));
        QFile::remove(target);
        ASSERT_TRUE(QFile::link(linkTarget, path()));
        writeFile(bytes);
        const std::string said = writeLeftAndTellWhatWasSaid(path());
        EXPECT_NE(said.find("settings.reg.bad"), std::string::npos) << said;
        EXPECT_EQ(fileBytes(path() + QStringLiteral(".bad")).toStdString(), bytes.toStdString());
        EXPECT_EQ(fileBytes(target).toStdString(),
                  (kProgramHeader + "\"Form1Top\"=dword:00000001\n\"Form1Left\"=dword:00000007\n")
                      .toStdString());
        EXPECT_TRUE(QFileInfo(path()).isSymLink()) << "the link stays";
    }
}

TEST(PrivateDirectory, AFileInThePlaceOfTheFolderIsNoFolder) {
    QTemporaryDir top;
    ASSERT_TRUE(top.isValid());
    QFile file(top.filePath(QStringLiteral("taken")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    EXPECT_FALSE(makePrivateDirectories(file.fileName()));
    EXPECT_TRUE(makePrivateDirectories(top.filePath(QStringLiteral("a/b"))));
    EXPECT_TRUE(QFileInfo(top.filePath(QStringLiteral("a/b"))).isDir());
}

TEST_F(SettingsFileTest, FilesOverOneMebibyteKeepTheirGoodValuesAndAreNeverWritten) {
    const QByteArray valid = kProgramHeader + "\"Form1Top\"=dword:00000001\n";
    const qint64 limit = SettingsFile::kMaxFileSize;
    for (const qint64 size : {limit, limit + 1}) {
        SCOPED_TRACE(size);
        QFile::remove(path() + ".bad");
        writeFile(valid + QByteArray(size - valid.size(), '\n'));
        EXPECT_TRUE(existsWithValue(path(), kTop));
        EXPECT_EQ(QFile::exists(path() + ".bad"), size > limit) << "kept aside only when over";
    }
    // A blank first line is a line like any other, not the whole file; nor is a key line first.
    for (const QByteArray& start : {QByteArray("\n") + valid, valid.mid(valid.indexOf('['))}) {
        writeFile(start + QByteArray(limit, '\n'));
        EXPECT_TRUE(existsWithValue(path(), kTop)) << start.toStdString();
    }
    // A value of 10 MB among good ones costs only itself.
    writeFile(kProgramHeader + "\"A\"=\"" + QByteArray(10 * 1024 * 1024, 'x') +
              "\"\n\"Form1Top\"=dword:00000001\n");
    EXPECT_TRUE(existsWithValue(path(), kTop));

    writeFile(kProgramHeader + "\"Form1Top\"=dword:00000001\n\"A\"=\"");
    ASSERT_TRUE(QFile::resize(path(), 100 * 1024 * 1024));
    EXPECT_TRUE(existsWithValue(path(), kTop));
    SettingsStore store(path());
    ASSERT_TRUE(store.openKey(kRoot, true));
    testing::internal::CaptureStderr();
    store.writeInteger(kTop, 2);
    testing::internal::GetCapturedStderr();
    EXPECT_EQ(QFileInfo(path() + QStringLiteral(".bad")).size(), 100 * 1024 * 1024);

    // A value that would make the file too large for the next start is refused, not dropped.
    expectSettingsError(
        [&] { store.writeString(QStringLiteral("CompDir1"), QString(limit, QLatin1Char('x'))); },
        "Failed to set data for 'CompDir1'");
    EXPECT_EQ(fileBytes(path()), kProgramHeader + "\"Form1Top\"=dword:00000002\n");
}

TEST_F(SettingsFileTest, ADamagedFileThatVanishedBeforeTheSaveIsSimplyReplaced) {
    writeFile(kProgramHeader + "\"A\"=\"unterminated\n");
    SettingsFile file(path());
    ASSERT_EQ(file.load().state, SettingsFile::State::Damaged);
    ASSERT_TRUE(QFile::remove(path()));
    RegFile document;
    document.ensureKey(QStringLiteral("HKEY_CURRENT_USER") + kRoot)
        .setValue(kTop, RegValue::dword(3));
    EXPECT_TRUE(file.save(document));
    EXPECT_EQ(fileBytes(path()), kProgramHeader + "\"Form1Top\"=dword:00000003\n");
    // The copy kept when the damage was found is the only one.
    EXPECT_EQ(file.freeDamagedCopyPath(), path() + QStringLiteral(".bad.2"));
}

TEST_F(SettingsFileTest, FifoOrDirectoryInPlaceOfTheFileIsNeverOpenedNorReplaced) {
    ASSERT_TRUE(QDir().mkpath(dir()));
    ASSERT_EQ(::mkfifo(QFile::encodeName(path()).constData(), 0600), 0);
    SettingsStore store(path());
    EXPECT_FALSE(store.openKey(kRoot, true));
    expectSettingsError([&] { store.writeInteger(kTop, 1); }, "Failed to set data for 'Form1Top'");
    store.closeKey();
    EXPECT_TRUE(QFileInfo(path()).exists() && !QFileInfo(path()).isFile());

    ASSERT_TRUE(QFile::remove(path()));
    ASSERT_TRUE(QDir().mkpath(path()));
    EXPECT_FALSE(store.openKey(kRoot, true));
    EXPECT_THROW(writeClosingSettings(store, {}), SettingsError);
    EXPECT_TRUE(QFileInfo(path()).isDir());
}

TEST_F(SettingsFileTest, LocationThatCannotBeMadeFailsTheWrite) {
    // A file where the directory should be stops root as well as anyone else.
    QFile blocker(dir());
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    SettingsStore store(path());
    EXPECT_TRUE(store.openKey(kRoot, true));
    EXPECT_FALSE(store.valueExists(kTop));
    expectSettingsError([&] { store.writeInteger(kTop, 1); }, "Failed to set data for 'Form1Top'");
}

TEST_F(SettingsFileTest, ReadOnlyDirectoryFailsTheWriteAndKeepsTheFile) {
    if (::geteuid() == 0) {
        GTEST_SKIP() << "permissions do not stop root";
    }
    SettingsStore store(path());
    writeSettings("\"Form1Top\"=dword:00000001\n");
    ASSERT_EQ(::chmod(QFile::encodeName(dir()).constData(), 0500), 0);
    ASSERT_TRUE(store.openKey(kRoot, true));
    EXPECT_THROW(store.writeInteger(kTop, 2), SettingsError);
    store.closeKey();
    ::chmod(QFile::encodeName(dir()).constData(), 0700);
    EXPECT_EQ(fileBytes(path()), kProgramHeader + "\"Form1Top\"=dword:00000001\n");
}

TEST_F(SettingsFileTest, WriteInterruptedBeforeTheRenameLeavesTheEarlierFileWhole) {
    const QByteArray before = kProgramHeader + "\"Form1Top\"=dword:00000001\n";
    const QByteArray after = kProgramHeader + "\"Form1Top\"=dword:00000002\n";
    writeFile(before);
    qint64 pending = 0;
    SettingsStore store(path());
    store.setCommitStep([&](QSaveFile& file) {
        pending = file.size();
        return false;
    });
    ASSERT_TRUE(store.openKey(kRoot, true));
    expectSettingsError([&] { store.writeInteger(kTop, 2); }, "Failed to set data for 'Form1Top'");
    store.closeKey();
    EXPECT_EQ(pending, after.size()) << "the new file was complete when the write stopped";
    EXPECT_EQ(fileBytes(path()), before);
    EXPECT_EQ(QDir(dir()).entryList(QDir::Files | QDir::Hidden | QDir::System),
              QStringList{QStringLiteral("settings.reg")});
}

TEST_F(SettingsFileTest, WritesWaitForTheLockAndBuildOnTheFileAsItIsThen) {
    writeSettings("\"Form1Top\"=dword:00000001\n");
    SettingsStore early(path());
    ASSERT_TRUE(early.openKey(kRoot, true));

    {
        QLockFile other(path() + QStringLiteral(".lock"));
        ASSERT_TRUE(other.lock());
        SettingsStore blocked(path());
        blocked.setLockTimeout(std::chrono::milliseconds(0));
        ASSERT_TRUE(blocked.openKey(kRoot, true));
        expectSettingsError([&] { blocked.writeInteger(kTop, 9); },
                            "Failed to set data for 'Form1Top'");
    }
    {
        SettingsStore meanwhile(path());
        ASSERT_TRUE(meanwhile.openKey(kRoot, true));
        meanwhile.writeInteger(QStringLiteral("Form1Left"), 2);
    }
    early.writeInteger(QStringLiteral("Form1Width"), 600);
    early.closeKey();
    EXPECT_EQ(fileBytes(path()), kProgramHeader + "\"Form1Top\"=dword:00000001\n"
                                                  "\"Form1Left\"=dword:00000002\n"
                                                  "\"Form1Width\"=dword:00000258\n");
}

TEST_F(SettingsFileTest, InstancesClosingTogetherLeaveOneWholeSetOfValues) {
    auto closeWith = [this](int value) {
        SettingsStore store(path());
        writeClosingSettings(store, test::sampleSettings(value));
    };
    std::thread first(closeWith, 1);
    std::thread second(closeWith, 2);
    first.join();
    second.join();

    SettingsStore store(path());
    const MainWindowSettings read = readMainWindowSettings(store);
    ASSERT_TRUE(read.top == 1 || read.top == 2);
    const int winner = *read.top;
    const ClosingSettings expected = test::sampleSettings(winner);
    EXPECT_EQ(read.left, expected.mainWindow.left);
    EXPECT_EQ(read.width, expected.mainWindow.width);
    EXPECT_EQ(read.language, expected.language);
    ASSERT_TRUE(store.openKey(kRoot, false));
    EXPECT_EQ(store.readString(QStringLiteral("CompDir1")), expected.leftDirectory);
}

} // namespace
} // namespace quorvel
