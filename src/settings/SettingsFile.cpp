#include "settings/SettingsFile.h"

#include "base/FileDescriptor.h"
#include "settings/PrivateDirectory.h"
#include "settings/RegFileParser.h"

#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QSaveFile>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <system_error>
#include <utility>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quorvel {

namespace {

SettingsFile::Contents unreadable(const QString& problem) {
    return {SettingsFile::State::Unreadable, {}, problem};
}

SettingsFile::Contents damaged(const QString& problem) {
    return {SettingsFile::State::Damaged, {}, problem};
}

QString errnoText(int error) {
    return QString::fromLocal8Bit(std::strerror(error));
}

// Reads at most limit + 1 bytes, so that an oversized file is noticed without reading it all.
bool readAtMost(int fd, qint64 limit, QByteArray& out) {
    char buffer[16384];
    while (out.size() <= limit) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0) {
            return false;
        }
        if (n == 0) {
            break;
        }
        out.append(buffer, n);
    }
    return true;
}

// Lines no value of ours is longer than: a longer one is the damage, and is left out whole.
constexpr qsizetype kLongestLine = 64 * 1024;
// How much of a file too large to be ours is read for what is good in it.
constexpr qint64 kMostRead = 64 * 1024 * 1024;

QByteArray withoutLongLines(const QByteArray& bytes) {
    QByteArray kept;
    qsizetype start = 0;
    while (start < bytes.size()) {
        qsizetype end = bytes.indexOf('\n', start);
        end = end < 0 ? bytes.size() : end + 1;
        if (end - start <= kLongestLine) {
            kept.append(bytes.constData() + start, end - start);
        }
        start = end;
    }
    return kept;
}

} // namespace

SettingsFile::SettingsFile(QString path)
    : path_(std::move(path)), commit_([](QSaveFile& file) { return file.commit(); }),
      sync_([](int fd) { return ::fsync(fd); }) {}

SettingsFile::~SettingsFile() = default;

SettingsFile::Contents SettingsFile::load() {
    Contents contents = read();
    if (contents.state == State::Unreadable) {
        problem_ = contents.problem;
        noteUnusable(contents.problem);
    } else if (contents.state == State::Missing && !unusableTold_ && !unusable_) {
        // Asked once: the answer is told once.
        if (const auto problem = placeProblem()) {
            noteUnusable(*problem);
        }
    } else if (damagedProblem_) {
        noteUnusable(problem_); // neither kept aside nor, then, replaced
    }
    return contents;
}

SettingsFile::Contents SettingsFile::read() {
    damagedProblem_.reset();
    const QByteArray native = QFile::encodeName(path_);
    if (native.isEmpty()) {
        return unreadable(QStringLiteral("there is no place for settings"));
    }
    // Look before opening: a FIFO or a device node is never opened.
    struct stat info {};
    if (::stat(native.constData(), &info) != 0) {
        if (errno == ENOENT || errno == ENOTDIR) {
            return {};
        }
        return unreadable(errnoText(errno));
    }
    if (!S_ISREG(info.st_mode)) {
        return unreadable(QStringLiteral("not a regular file"));
    }
    FileDescriptor fd(::open(native.constData(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK));
    if (!fd.isOpen()) {
        return unreadable(errnoText(errno));
    }
    QByteArray bytes;
    const bool regular = ::fstat(fd.get(), &info) == 0 && S_ISREG(info.st_mode);
    const bool read = regular && readAtMost(fd.get(), kMostRead, bytes);
    const int readError = errno;
    fd.reset();
    if (!regular) {
        return unreadable(QStringLiteral("not a regular file"));
    }
    if (!read) {
        return unreadable(errnoText(readError));
    }

    Contents contents;
    if (bytes.size() > kMaxFileSize) {
        // A value far too long costs itself, not the values around it.
        RegParseResult salvaged = RegFileParser::salvage(withoutLongLines(bytes.left(kMostRead)));
        contents = damaged(QStringLiteral("larger than %1 bytes").arg(kMaxFileSize));
        if (salvaged.file) {
            contents.document = std::move(*salvaged.file);
        }
    } else if (RegParseResult parsed = RegFileParser::parse(bytes); parsed.file) {
        contents = {State::Loaded, std::move(*parsed.file), {}};
    } else {
        // One bad line must not cost the rest.
        RegParseResult salvaged = RegFileParser::salvage(bytes);
        contents = {State::Damaged, std::move(*salvaged.file), parsed.problem};
    }
    if (contents.state == State::Damaged && bytes != keptDamage_) {
        damagedProblem_ = contents.problem;
        // An earlier start may have kept this very file already.
        if (const auto kept = bytes.size() <= kMaxFileSize ? copyHolding(bytes) : std::nullopt) {
            damage_ = Damage{*damagedProblem_, *kept};
            damagedProblem_.reset();
            keptDamage_ = bytes;
        } else if (keepDamagedCopy()) {
            keptDamage_ = bytes;
        }
    }
    return contents;
}

bool SettingsFile::lock(std::chrono::milliseconds timeout) {
    if (lock_) {
        return true;
    }
    if (!makePrivateDirectories(QFileInfo(path_).absolutePath())) {
        problem_ = errnoText(errno);
        return false;
    }
    auto lock = std::make_unique<QLockFile>(path_ + QStringLiteral(".lock"));
    if (!lock->tryLock(timeout)) {
        problem_ = lock->error() == QLockFile::LockFailedError
                       ? QStringLiteral("in use by another instance: %1.lock").arg(path_)
                       : errnoText(lock->error() == QLockFile::PermissionError ? EACCES : EIO);
        return false;
    }
    lock_ = std::move(lock);
    return true;
}

void SettingsFile::unlock() {
    lock_.reset();
}

bool SettingsFile::save(const RegFile& document) {
    const QByteArray bytes = document.serialize();
    // Never write what the next start would reject.
    if (bytes.size() > kMaxFileSize || !RegFileParser::parse(bytes).file) {
        problem_ = errnoText(bytes.size() > kMaxFileSize ? EFBIG : EINVAL);
        return false;
    }
    if (path_.isEmpty()) {
        problem_ = QStringLiteral("there is no place for settings");
        return false;
    }
    if (!makePrivateDirectories(QFileInfo(path_).absolutePath())) {
        problem_ = errnoText(errno);
        return false;
    }
    QSaveFile file(path_);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
        problem_ = file.errorString();
        return false;
    }
    if (damagedProblem_ && !keepDamagedCopy()) {
        return false;
    }
    // EINVAL: the file system cannot sync; there is nothing more to wait for.
    if (!file.flush() || (sync_(file.handle()) != 0 && errno != EINVAL)) {
        problem_ = errnoText(errno);
        file.cancelWriting();
        return false;
    }
    if (!commit_(file)) {
        problem_ = file.errorString();
        return false;
    }
    // Until the folder is on disk, a power cut can bring the old file back.
    const QByteArray folder = QFile::encodeName(QFileInfo(path_).absolutePath());
    const FileDescriptor fd(::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (fd.isOpen()) {
        sync_(fd.get());
    }
    return true;
}

QString SettingsFile::freeDamagedCopyPath() const {
    for (int n = 1;; ++n) {
        const QString candidate = damagedCopyPath(n);
        struct stat info {};
        if (::lstat(QFile::encodeName(candidate).constData(), &info) != 0 && errno == ENOENT) {
            return candidate;
        }
    }
}

QString SettingsFile::damagedCopyPath(int n) const {
    return path_ + (n == 1 ? QStringLiteral(".bad") : QStringLiteral(".bad.%1").arg(n));
}

std::optional<QString> SettingsFile::copyHolding(const QByteArray& bytes) const {
    for (int n = 1;; ++n) {
        QFile copy(damagedCopyPath(n));
        if (!copy.exists()) {
            return std::nullopt;
        }
        if (copy.size() == bytes.size() && copy.open(QIODevice::ReadOnly) &&
            copy.read(kMaxFileSize + 1) == bytes) {
            return copy.fileName();
        }
    }
}

std::optional<SettingsFile::Damage> SettingsFile::takeDamage() {
    return std::exchange(damage_, std::nullopt);
}

void SettingsFile::noteUnusable(const QString& problem) {
    if (!unusableTold_) {
        unusable_ = problem;
    }
}

std::optional<QString> SettingsFile::takeUnusable() {
    if (unusable_) {
        unusableTold_ = true;
    }
    return std::exchange(unusable_, std::nullopt);
}

std::optional<QString> SettingsFile::placeProblem() const {
    if (path_.isEmpty()) {
        return QStringLiteral("there is no place for settings");
    }
    // The save writes where a symbolic link leads, even to a file not there yet.
    QFileInfo target(path_);
    for (int depth = 0; depth < 128 && target.isSymLink(); ++depth) {
        target.setFile(target.symLinkTarget());
    }
    const bool followed = target.filePath() != QFileInfo(path_).filePath();
    QString folder = target.absolutePath();
    // Missing folders of our own path are made by the save; a link's target folder is not.
    while (!followed && !QFileInfo(folder).exists() && folder != QStringLiteral("/")) {
        folder = QFileInfo(folder).absolutePath();
    }
    const QByteArray native = QFile::encodeName(folder);
    // An unnamed file that vanishes on close asks the file system itself, which also answers for
    // a read-only mount and for the superuser.
    const FileDescriptor probe(::open(native.constData(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600));
    if (probe.isOpen()) {
        return std::nullopt;
    }
    const int error = errno;
    if (error == EOPNOTSUPP || error == EISDIR || error == EINVAL) {
        if (::access(native.constData(), W_OK | X_OK) == 0) {
            return std::nullopt;
        }
        return errnoText(errno);
    }
    return errnoText(error);
}

bool SettingsFile::keepDamagedCopy() {
    // A second name for the damaged file, not a rename: should the save then fail, the file
    // stays where it was. A name that is taken is never reused, so every copy stays.
    const auto damaged = QFile::encodeName(path_).toStdString();
    QString copyPath;
    bool kept = false;
    for (int attempt = 0; !kept && attempt < 1000; ++attempt) {
        copyPath = freeDamagedCopyPath();
        const auto copy = QFile::encodeName(copyPath).toStdString();
        // The save replaces the file a symbolic link leads to, so the second name must be that
        // file's, not the link's.
        if (::linkat(AT_FDCWD, damaged.c_str(), AT_FDCWD, copy.c_str(), AT_SYMLINK_FOLLOW) == 0) {
            kept = true;
            break;
        }
        if (errno == EEXIST) {
            continue; // taken meanwhile
        }
        if (errno == ENOENT) {
            damagedProblem_.reset(); // gone meanwhile: nothing to keep
            return true;
        }
        const int linkError = errno;
        std::error_code error;
        std::filesystem::copy_file(damaged, copy, error);
        kept = !error;
        if (error && error != std::errc::file_exists) {
            problem_ = errnoText(linkError);
            return false;
        }
    }
    if (!kept) {
        problem_ = errnoText(EEXIST);
        return false;
    }
    std::fprintf(stderr,
                 "quorvel: the settings file %s could not be read whole (%s); it is kept as %s, "
                 "and what could be read is used\n",
                 qPrintable(path_), qPrintable(*damagedProblem_), qPrintable(copyPath));
    damage_ = Damage{*damagedProblem_, copyPath};
    damagedProblem_.reset();
    return true;
}

} // namespace quorvel
