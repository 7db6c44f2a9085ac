#include "settings/SettingsFile.h"

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

} // namespace

SettingsFile::SettingsFile(QString path)
    : path_(std::move(path)), commit_([](QSaveFile& file) { return file.commit(); }) {}

SettingsFile::~SettingsFile() = default;

SettingsFile::Contents SettingsFile::load() {
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
    const int fd = ::open(native.constData(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (fd < 0) {
        return unreadable(errnoText(errno));
    }
    QByteArray bytes;
    const bool regular = ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode);
    const bool read = regular && readAtMost(fd, kMaxFileSize, bytes);
    const int readError = errno;
    ::close(fd);
    if (!regular) {
        return unreadable(QStringLiteral("not a regular file"));
    }
    if (!read) {
        return unreadable(errnoText(readError));
    }

    Contents contents;
    if (bytes.size() > kMaxFileSize) {
        contents = damaged(QStringLiteral("larger than %1 bytes").arg(kMaxFileSize));
    } else if (RegParseResult parsed = RegFileParser::parse(bytes); parsed.file) {
        contents = {State::Loaded, std::move(*parsed.file), {}};
    } else {
        contents = damaged(parsed.problem);
    }
    if (contents.state == State::Damaged) {
        damagedProblem_ = contents.problem;
    }
    return contents;
}

bool SettingsFile::lock(std::chrono::milliseconds timeout) {
    if (lock_) {
        return true;
    }
    if (!makePrivateDirectories(QFileInfo(path_).absolutePath())) {
        return false;
    }
    auto lock = std::make_unique<QLockFile>(path_ + QStringLiteral(".lock"));
    if (!lock->tryLock(timeout)) {
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
        return false;
    }
    if (path_.isEmpty() || !makePrivateDirectories(QFileInfo(path_).absolutePath())) {
        return false;
    }
    QSaveFile file(path_);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
        return false;
    }
    if (damagedProblem_ && !keepDamagedCopy()) {
        return false;
    }
    return commit_(file);
}

bool SettingsFile::keepDamagedCopy() {
    // A second name for the damaged file, not a rename: should the save then fail, the file
    // stays where it was.
    const auto damaged = QFile::encodeName(path_).toStdString();
    const auto copy = QFile::encodeName(damagedCopyPath()).toStdString();
    std::error_code error;
    std::filesystem::remove(copy, error);
    // The save replaces the file a symbolic link leads to, so the second name must be that
    // file's, not the link's.
    if (::linkat(AT_FDCWD, damaged.c_str(), AT_FDCWD, copy.c_str(), AT_SYMLINK_FOLLOW) != 0) {
        if (errno == ENOENT) {
            damagedProblem_.reset(); // gone meanwhile: nothing to keep
            return true;
        }
        error.clear();
        std::filesystem::copy_file(damaged, copy, error);
        if (error) {
            return false;
        }
    }
    std::fprintf(stderr,
                 "quorvel: the settings file %s could not be read (%s); it is kept as %s and a "
                 "new one is written\n",
                 qPrintable(path_), qPrintable(*damagedProblem_), qPrintable(damagedCopyPath()));
    damagedProblem_.reset();
    return true;
}

} // namespace quorvel
