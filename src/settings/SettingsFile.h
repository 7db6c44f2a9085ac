#pragma once

#include "settings/RegFile.h"

#include <QString>

#include <chrono>
#include <functional>
#include <memory>
#include <optional>

class QLockFile;
class QSaveFile;

namespace quorvel {

// The settings file on disk: reading it without trusting it, replacing it atomically, and the
// lock that keeps two instances from interleaving their read-modify-write.
class SettingsFile {
public:
    enum class State {
        Missing,    // no file yet
        Loaded,     // read and understood
        Damaged,    // read but not understood; kept aside before it is replaced
        Unreadable, // not a regular file, or reading failed; left alone
    };

    struct Contents {
        State state = State::Missing;
        RegFile document; // empty unless Loaded
        QString problem;  // for Damaged and Unreadable
    };

    // The last step of a save, which renames the finished temporary file over the old one.
    using CommitStep = std::function<bool(QSaveFile&)>;

    static constexpr qint64 kMaxFileSize = 1024 * 1024;

    explicit SettingsFile(QString path);
    ~SettingsFile();
    SettingsFile(const SettingsFile&) = delete;
    SettingsFile& operator=(const SettingsFile&) = delete;

    QString damagedCopyPath() const { return path_ + QStringLiteral(".bad"); }

    Contents load();

    bool lock(std::chrono::milliseconds timeout);
    void unlock();
    bool isLocked() const { return lock_ != nullptr; }

    // Replaces the file with the document. If the last load found the file damaged, it is kept
    // as damagedCopyPath() first. Returns false, leaving the old file whole, when it cannot.
    bool save(const RegFile& document);

    void setCommitStep(CommitStep step) { commit_ = std::move(step); }

private:
    bool keepDamagedCopy();

    QString path_;
    std::unique_ptr<QLockFile> lock_;
    CommitStep commit_;
    std::optional<QString> damagedProblem_;
};

} // namespace quorvel
