#include "report/AtomicFileWriter.h"

#include "base/FileDescriptor.h"
#include "base/PathText.h"
#include "report/DescriptorPath.h"
#include "report/FileWriteError.h"
#include "report/RemovalOnSignal.h"

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <optional>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace quorvel {

namespace {

constexpr int kMaxLinkHops = 40;
constexpr int kMaxNameAttempts = 100;
// A temporary file is named ".quorvel-PID-SERIAL.tmp".
constexpr std::string_view kTemporaryPrefix = ".quorvel-";
constexpr std::string_view kTemporarySuffix = ".tmp";

struct ResolvedTarget {
    std::string path;
    std::optional<struct stat> status; // empty when nothing exists there yet
    std::optional<int> descriptor;     // set when the path names one of our open descriptors
};

// Follows symbolic links from `target` to the path the new contents belong at.
ResolvedTarget resolveTarget(const std::string& target) {
    std::string path = target;
    for (int hop = 0; hop <= kMaxLinkHops; ++hop) {
        if (const auto descriptor = descriptorNamedBy(path)) {
            return {path, std::nullopt, descriptor};
        }
        struct stat status {};
        if (::lstat(path.c_str(), &status) != 0) {
            if (errno == ENOENT) {
                return {path, std::nullopt, std::nullopt};
            }
            throw FileWriteError(target, errno);
        }
        if (!S_ISLNK(status.st_mode)) {
            return {path, status, std::nullopt};
        }
        std::error_code error;
        const std::string next = std::filesystem::read_symlink(path, error).string();
        if (error) {
            throw FileWriteError(target, error.value());
        }
        path = next.starts_with('/') ? next : joinPath(directoryOf(path), next);
    }
    throw FileWriteError(target, ELOOP);
}

// The new file until it is renamed into place; removed if that never happens.
class TemporaryFile {
public:
    TemporaryFile(const std::string& directory, const std::string& target, RemovalOnSignal& removal)
        : removal_(removal) {
        static std::atomic<unsigned> serial{0};
        for (int attempt = 0;; ++attempt) {
            path_ = joinPath(directory, std::string(kTemporaryPrefix) + std::to_string(::getpid()) +
                                            "-" + std::to_string(serial++) +
                                            std::string(kTemporarySuffix));
            // Armed before the file exists, so that no moment is left in which it would stay
            // behind; a name with our process id can only be ours or a dead process's.
            removal_.arm(path_.c_str());
            // Mode 0666 lets the umask decide, as for any newly created file.
            fd_ = FileDescriptor(
                ::open(path_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
            if (fd_.isOpen()) {
                return;
            }
            removal_.disarm();
            if (errno != EEXIST || attempt == kMaxNameAttempts) {
                throw FileWriteError(target, errno);
            }
        }
    }
    ~TemporaryFile() {
        fd_.reset();
        if (!renamed_) {
            ::unlink(path_.c_str());
        }
        removal_.disarm();
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    int fd() const { return fd_.get(); }

    // Returns 0 or an errno value.
    int close() { return fd_.close(); }
    int renameTo(const std::string& path, bool mayReplace) {
        if (mayReplace ? ::rename(path_.c_str(), path.c_str()) != 0 : !renameNew(path)) {
            return errno;
        }
        renamed_ = true;
        removal_.disarm();
        return 0;
    }

private:
    // A file that appeared at `path` meanwhile is kept: EEXIST.
    bool renameNew(const std::string& path) const {
        if (::renameat2(AT_FDCWD, path_.c_str(), AT_FDCWD, path.c_str(), RENAME_NOREPLACE) == 0) {
            return true;
        }
        if (errno != EINVAL && errno != ENOSYS) {
            return false;
        }
        // A file system without the flag: a hard link is made only where nothing is.
        if (::link(path_.c_str(), path.c_str()) != 0) {
            return false;
        }
        ::unlink(path_.c_str());
        return true;
    }

    RemovalOnSignal& removal_;
    std::string path_;
    FileDescriptor fd_;
    bool renamed_ = false;
};

} // namespace

AtomicFileWriter::AtomicFileWriter()
    : AtomicFileWriter(
          [](int fd, const char* data, std::size_t size) { return ::write(fd, data, size); }) {}

AtomicFileWriter::AtomicFileWriter(WriteCall write)
    : AtomicFileWriter(std::move(write), [](int fd) { return ::fsync(fd); }) {}

AtomicFileWriter::AtomicFileWriter(WriteCall write, SyncCall sync)
    : write_(std::move(write)), sync_(std::move(sync)) {}

void AtomicFileWriter::replace(const std::string& target, std::string_view contents) const {
    put(target, contents, true);
}

void AtomicFileWriter::create(const std::string& target, std::string_view contents) const {
    put(target, contents, false);
}

bool AtomicFileWriter::isTemporaryName(std::string_view name) {
    if (!name.starts_with(kTemporaryPrefix) || !name.ends_with(kTemporarySuffix)) {
        return false;
    }
    name.remove_prefix(kTemporaryPrefix.size());
    name.remove_suffix(kTemporarySuffix.size());
    const auto dash = name.find('-');
    const auto digits = [](std::string_view part) {
        return !part.empty() && part.find_first_not_of("0123456789") == std::string_view::npos;
    };
    return dash != std::string_view::npos && digits(name.substr(0, dash)) &&
           digits(name.substr(dash + 1));
}

void AtomicFileWriter::put(const std::string& target, std::string_view contents,
                           bool mayReplace) const {
    if (target.empty()) {
        throw FileWriteError(target, ENOENT);
    }
    const auto resolved = resolveTarget(target);
    if (resolved.descriptor) {
        // Written where the descriptor points, as its opener set it up (appending, or after what
        // was written before); replacing it would lose that.
        if (::fcntl(*resolved.descriptor, F_GETFD) < 0) {
            throw FileWriteError(target, errno);
        }
        writeAll(*resolved.descriptor, contents, target);
        return;
    }
    if (resolved.status && !mayReplace) {
        throw FileWriteError(target, EEXIST);
    }
    if (resolved.status) {
        if (S_ISDIR(resolved.status->st_mode)) {
            throw FileWriteError(target, EISDIR);
        }
        // Never replace or write into a device, FIFO or socket.
        if (!S_ISREG(resolved.status->st_mode)) {
            throw FileWriteError(target, ENOTSUP);
        }
        // A file its owner made read-only is not replaced behind their back.
        if (::access(resolved.path.c_str(), W_OK) != 0) {
            throw FileWriteError(target, errno);
        }
    }

    RemovalOnSignal removal;
    TemporaryFile temporary(directoryOf(resolved.path), target, removal);
    if (resolved.status &&
        ::fchmod(temporary.fd(), resolved.status->st_mode & (S_IRWXU | S_IRWXG | S_IRWXO)) != 0) {
        // Some file systems keep no modes; the new file then has the usual ones.
    }
    writeAll(temporary.fd(), contents, target);
    // EINVAL: the file system cannot sync; there is nothing more to wait for.
    if (sync_(temporary.fd()) != 0 && errno != EINVAL) {
        throw FileWriteError(target, errno);
    }
    if (const int error = temporary.close()) {
        throw FileWriteError(target, error);
    }
    if (const int error = temporary.renameTo(resolved.path, mayReplace)) {
        throw FileWriteError(target, error);
    }
    syncDirectory(directoryOf(resolved.path), target);
}

// Until the directory is on disk, a power cut can bring the old report back.
void AtomicFileWriter::syncDirectory(const std::string& directory,
                                     const std::string& target) const {
    const FileDescriptor fd(::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!fd.isOpen()) {
        return; // a folder we may write in but not read: nothing to sync it through
    }
    const int result = sync_(fd.get());
    const int error = errno;
    // EINVAL: the file system cannot sync a directory.
    if (result != 0 && error != EINVAL) {
        throw FileWriteError(target, error);
    }
}

void AtomicFileWriter::writeAll(int fd, std::string_view contents,
                                const std::string& target) const {
    std::size_t written = 0;
    while (written < contents.size()) {
        const ssize_t n = write_(fd, contents.data() + written, contents.size() - written);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            throw FileWriteError(target, n < 0 ? errno : EIO);
        }
        written += static_cast<std::size_t>(n);
    }
}

} // namespace quorvel
