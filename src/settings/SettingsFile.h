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
        Damaged,    // read but not wholly understood; kept aside, what reads cleanly is used
        Unreadable, // not a regular file, or reading failed; left alone
    };

    struct Contents {
        State state = State::Missing;
        RegFile document; // for Damaged, what could be read
        QString problem;  // for Damaged and Unreadable
    };

    // The last step of a save, which renames the finished temporary file over the old one.
    using CommitStep = std::function<bool(QSaveFile&)>;
    // Behaves like ::fsync; tests count the calls.
    using SyncCall = std::function<int(int fd)>;

    // A damaged file found by load(), and the copy of it that was kept.
    struct Damage {
        QString problem;
        QString copyPath;
    };

    static constexpr qint64 kMaxFileSize = 1024 * 1024;

    explicit SettingsFile(QString path);
    ~SettingsFile();
    SettingsFile(const SettingsFile&) = delete;
    SettingsFile& operator=(const SettingsFile&) = delete;

    const QString& path() const { return path_; }

    // The first of settings.reg.bad, .bad.2, .bad.3 ... that is free: a kept copy is never
    // replaced.
    QString freeDamagedCopyPath() const;

    // A damaged file is kept under a name of its own as soon as it is found, once per content.
    Contents load();
    // The damage found since the last call, once.
    std::optional<Damage> takeDamage();
    // Why the file can be neither read nor kept, should a load have found it so; told once in the
    // file's life, since every close would fail the same way.
    std::optional<QString> takeUnusable();
    // The system's reason of the last failed load, lock or save.
    const QString& problem() const { return problem_; }

    bool lock(std::chrono::milliseconds timeout);
    void unlock();
    bool isLocked() const { return lock_ != nullptr; }

    // Replaces the file with the document, the file and its folder flushed to disk. A damaged file
    // that could not be kept when it was found is kept first. Returns false, leaving the old file
    // whole, when it cannot.
    bool save(const RegFile& document);

    void setCommitStep(CommitStep step) { commit_ = std::move(step); }
    void setSyncCall(SyncCall sync) { sync_ = std::move(sync); }

private:
    Contents read();
    void noteUnusable(const QString& problem);
    // Why a missing file could not be made where the save would put it; nothing when it could.
    std::optional<QString> placeProblem() const;
    bool keepDamagedCopy();
    QString damagedCopyPath(int n) const;
    // The kept copy with these bytes, if there is one.
    std::optional<QString> copyHolding(const QByteArray& bytes) const;

    QString path_;
    std::unique_ptr<QLockFile> lock_;
    CommitStep commit_;
    SyncCall sync_;
    std::optional<QString> damagedProblem_; // damage not yet kept aside
    std::optional<QByteArray> keptDamage_;  // the content last kept aside
    std::optional<Damage> damage_;          // not yet told
    std::optional<QString> unusable_;       // not yet told
    bool unusableTold_ = false;
    QString problem_;
};

} // namespace quorvel
