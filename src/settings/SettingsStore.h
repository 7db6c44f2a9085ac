#pragma once

#include "settings/RegFile.h"
#include "settings/SettingsFile.h"

#include <QString>

#include <chrono>
#include <cstdint>
#include <optional>
#include <set>

namespace quorvel {

struct RegValue;

// The per-user settings under "\Software\Quorvel", with the registry's operations: one key open
// at a time, existence questions, typed reads and writes. Reads fail with SettingsError on a value
// of another type; writes fail with SettingsError when the file cannot be saved.
//
// A moment (open ... close) sees the file as it was when the first key was opened. The first write
// takes the lock, reads the file again and holds the lock until closeKey(), so that the writes of
// two instances closing together never interleave. Every write is saved at once, unless a batch
// is open: then the writes are saved together when it is committed.
class SettingsStore {
public:
    // $XDG_CONFIG_HOME/Quorvel/settings.reg when that is an absolute path, else
    // ~/.config/Quorvel/settings.reg, with the home from the password database when HOME is unset.
    // Empty when there is no home either.
    static QString defaultFilePath();

    explicit SettingsStore(QString filePath = defaultFilePath());
    ~SettingsStore();
    SettingsStore(const SettingsStore&) = delete;
    SettingsStore& operator=(const SettingsStore&) = delete;

    // A path starting with "\" is taken from the root of the current user's settings; any other
    // path is a subkey of the open key. Returns false when the key cannot be opened; no key is
    // open then.
    bool openKey(const QString& path, bool canCreate);
    void closeKey();

    bool valueExists(const QString& name) const;
    std::int32_t readInteger(const QString& name) const;
    bool readBool(const QString& name) const;
    // An absent or zero-length value reads as the empty text.
    QString readString(const QString& name) const;

    // A file system path as its bytes: valid UTF-8 is a string value as any other; other bytes
    // (a folder named in another encoding) are kept whole as a string value in hex form.
    QByteArray readPath(const QString& name) const;
    void writePath(const QString& name, const QByteArray& path);

    void writeInteger(const QString& name, std::int32_t value);
    void writeBool(const QString& name, bool value);
    void writeString(const QString& name, const QString& value);

    // Writes from here on are kept in memory until commitBatch(), which saves them in one
    // replacement of the file and throws SettingsError naming the first when it cannot;
    // abortBatch() drops them. Either closes the key.
    void beginBatch() { batching_ = true; }
    void commitBatch();
    void abortBatch();

    // From now on `name` reads as absent (a value that could not be read, which the user chose to
    // start without); a write still stores it.
    void leaveOut(const QString& name) { leftOut_.insert(name); }

    // The file the settings live in.
    QString filePath() const { return file_.path(); }

    // A damaged file met since the last call, with where its copy is; once.
    std::optional<SettingsFile::Damage> takeDamage() { return file_.takeDamage(); }
    // Why the file can be neither read nor kept, once.
    std::optional<QString> takeUnusable() { return file_.takeUnusable(); }
    // The system's reason of the last failure to read or save the file.
    const QString& problem() const { return file_.problem(); }

    void setLockTimeout(std::chrono::milliseconds timeout) { lockTimeout_ = timeout; }
    void setCommitStep(SettingsFile::CommitStep step) { file_.setCommitStep(std::move(step)); }
    void setSyncCall(SettingsFile::SyncCall sync) { file_.setSyncCall(std::move(sync)); }

    // Closes the open key when a sequence of reads or writes ends, also by a failure.
    class KeyCloser {
    public:
        explicit KeyCloser(SettingsStore& store) : store_(store) {}
        ~KeyCloser() { store_.closeKey(); }
        KeyCloser(const KeyCloser&) = delete;
        KeyCloser& operator=(const KeyCloser&) = delete;

    private:
        SettingsStore& store_;
    };

    // A batch that is dropped unless it was committed, also on a failure.
    class Batch {
    public:
        explicit Batch(SettingsStore& store) : store_(store) { store_.beginBatch(); }
        ~Batch() { store_.abortBatch(); }
        Batch(const Batch&) = delete;
        Batch& operator=(const Batch&) = delete;
        void commit() { store_.commitBatch(); }

    private:
        SettingsStore& store_;
    };

private:
    const RegValue* find(const QString& name) const;
    void write(const QString& name, RegValue value);
    bool loadUnderLock();

    SettingsFile file_;
    bool loaded_ = false;
    std::optional<RegFile> document_; // empty when the file could not be read
    QString openKey_;                 // full path; empty when no key is open
    std::chrono::milliseconds lockTimeout_{5000};
    std::set<QString> leftOut_;
    bool batching_ = false;
    QString firstUnsaved_; // the first write of the batch not yet saved
};

} // namespace quorvel
