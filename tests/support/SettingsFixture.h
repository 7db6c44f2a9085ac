#pragma once

#include "settings/SettingsError.h"
#include "settings/SettingsStore.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <string>

namespace quorvel {

inline const QByteArray kProgramHeader = "REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\Quorvel]\n";
inline const QByteArray kFontHeader = "\n[HKEY_CURRENT_USER\\Software\\Quorvel\\ReportFont]\n";

// A settings file in a fresh temporary directory.
class SettingsFixture : public ::testing::Test {
protected:
    QString dir() const { return tmp_.path() + QStringLiteral("/Quorvel"); }
    QString path() const { return dir() + QStringLiteral("/settings.reg"); }

    void writeFile(const QByteArray& bytes) const {
        ASSERT_TRUE(QDir().mkpath(dir()));
        QFile f(path());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        ASSERT_EQ(f.write(bytes), bytes.size());
    }

    // The program key with these value lines, and the ReportFont key when given.
    void writeSettings(const QByteArray& values, const QByteArray& fontValues = {}) const {
        writeFile(kProgramHeader + values + (fontValues.isEmpty() ? "" : kFontHeader + fontValues));
    }

    static QByteArray fileBytes(const QString& p) {
        QFile f(p);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
    }

    QTemporaryDir tmp_;
};

template <class F>
void expectSettingsError(F&& f, const std::string& message) {
    try {
        f();
        ADD_FAILURE() << "no failure, expected: " << message;
    } catch (const SettingsError& e) {
        EXPECT_EQ(e.what(), message);
    }
}

} // namespace quorvel
