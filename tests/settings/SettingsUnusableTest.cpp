#include "support/SettingsFixture.h"

#include "settings/ClosingSettings.h"
#include "settings/MainWindowSettings.h"

#include <QLockFile>

#include <cerrno>
#include <cstring>
#include <functional>

#include <sched.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace quorvel {
namespace {

using UnusableSettingsTest = SettingsFixture;

QString reason(int error) {
    return QString::fromLocal8Bit(std::strerror(error));
}

mode_t kindAt(const QString& path) {
    struct stat info {};
    return ::lstat(QFile::encodeName(path).constData(), &info) == 0 ? info.st_mode & S_IFMT : 0;
}

TEST_F(UnusableSettingsTest, APlaceThatCanBeNeitherReadNorWrittenIsToldOnceAndLeftAsItIs) {
    struct Row {
        const char* what;
        std::function<void(const QString& dir, const QByteArray& path)> make;
        QString problem; // empty: the place is usable and the save lands
    };
    const Row rows[] = {
        {"a FIFO", [](const QString&, const QByteArray& p) { ::mkfifo(p, 0600); },
         QStringLiteral("not a regular file")},
        {"a folder", [](const QString&, const QByteArray& p) { ::mkdir(p, 0700); },
         QStringLiteral("not a regular file")},
        {"a symbolic-link loop",
         [](const QString&, const QByteArray& p) {
             [[maybe_unused]] const int a = ::symlink(p + ".2", p);
             [[maybe_unused]] const int b = ::symlink(p, p + ".2");
         },
         reason(ELOOP)},
        {"a link into a missing folder",
         [](const QString& dir, const QByteArray& p) {
             [[maybe_unused]] const int a =
                 ::symlink(QFile::encodeName(dir + "/missing/settings.reg"), p);
         },
         reason(ENOENT)},
        {"a link to a file not there yet, in a folder that is",
         [](const QString& dir, const QByteArray& p) {
             [[maybe_unused]] const int a = ::symlink(QFile::encodeName(dir + "/elsewhere.reg"), p);
         },
         {}},
        {"nothing yet", [](const QString&, const QByteArray&) {}, {}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        QTemporaryDir tmp;
        const QString path = tmp.path() + QStringLiteral("/settings.reg");
        row.make(tmp.path(), QFile::encodeName(path));
        const mode_t kind = kindAt(path);

        SettingsStore store(path);
        EXPECT_FALSE(readMainWindowSettings(store).top.has_value()) << "defaults in force";
        const std::optional<QString> told = store.takeUnusable();
        EXPECT_EQ(told.value_or(QString()), row.problem);
        readMainWindowSettings(store);
        EXPECT_FALSE(store.takeUnusable().has_value()) << "told once";

        ClosingSettings closing;
        closing.leftDirectory = "/l";
        if (row.problem.isEmpty()) {
            writeClosingSettings(store, closing);
            EXPECT_TRUE(SettingsStore(path).openKey(QStringLiteral("\\Software\\Quorvel"), false));
            continue;
        }
        try {
            writeClosingSettings(store, closing);
            ADD_FAILURE() << "saved";
        } catch (const SettingsError& failure) {
            EXPECT_FALSE(failure.onRead());
        }
        EXPECT_FALSE(store.problem().isEmpty());
        EXPECT_EQ(kindAt(path), kind) << "never replaced";
    }
}

// Makes `dir` read-only for this process, the superuser included: a read-only mount where one
// can be made, else the folder's modes.
bool makeReadOnly(const QByteArray& dir) {
    if (::unshare(CLONE_NEWNS) == 0 &&
        ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0 &&
        ::mount(dir.constData(), dir.constData(), nullptr, MS_BIND, nullptr) == 0 &&
        ::mount(nullptr, dir.constData(), nullptr, MS_REMOUNT | MS_BIND | MS_RDONLY, nullptr) ==
            0) {
        return true;
    }
    return ::chmod(dir.constData(), 0500) == 0 && ::access(dir.constData(), W_OK) != 0;
}

TEST_F(UnusableSettingsTest, ADamagedFileThatCannotBeKeptAsideIsToldAndNotReplaced) {
    writeSettings("\"Form1Top\"=dword:00000064\n\"Form1Left\"=wha");
    const QByteArray before = fileBytes(path());
    // In a child of its own, so the mount or the modes end with it.
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        if (!makeReadOnly(QFile::encodeName(dir()))) {
            std::_Exit(77);
        }
        SettingsStore store(path());
        int faults = readMainWindowSettings(store).top == 100 ? 0 : 1;
        faults |= store.takeUnusable().value_or(QString()).isEmpty() ? 2 : 0;
        try {
            writeClosingSettings(store, ClosingSettings{});
            faults |= 4;
        } catch (const SettingsError&) {
        }
        std::_Exit(faults);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ::chmod(QFile::encodeName(dir()).constData(), 0700);
    ASSERT_TRUE(WIFEXITED(status));
    if (WEXITSTATUS(status) == 77) {
        GTEST_SKIP() << "no folder can be made read-only here";
    }
    EXPECT_EQ(WEXITSTATUS(status) & 1, 0) << "what reads cleanly is used";
    EXPECT_EQ(WEXITSTATUS(status) & 2, 0) << "told at start";
    EXPECT_EQ(WEXITSTATUS(status) & 4, 0) << "a save claimed";
    EXPECT_EQ(fileBytes(path()), before);
}

TEST_F(UnusableSettingsTest, ASaveWhileAnotherInstanceHoldsTheFileSaysSo) {
    writeSettings("\"Form1Top\"=dword:00000064\n");
    QLockFile other(path() + ".lock");
    ASSERT_TRUE(other.tryLock(0));
    SettingsStore store(path());
    store.setLockTimeout(std::chrono::milliseconds(0));
    EXPECT_THROW(writeClosingSettings(store, ClosingSettings{}), SettingsError);
    EXPECT_TRUE(store.problem().startsWith("in use by another instance"))
        << store.problem().toStdString();
}

} // namespace
} // namespace quorvel
