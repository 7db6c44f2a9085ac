#include "report/StagedFile.h"

#include "base/FileDescriptor.h"
#include "base/PathText.h"
#include "report/FileWriteError.h"

#include <cerrno>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace quorvel {

namespace {

constexpr int kMaxNameAttempts = 100;

void syncPath(const std::string& path, int flags, const std::string& target) {
    const FileDescriptor fd(::open(path.c_str(), flags | O_CLOEXEC));
    if (!fd.isOpen()) {
        return; // nothing to sync it through
    }
    const int result = ::fsync(fd.get());
    const int error = errno;
    // EINVAL: the file system cannot sync.
    if (result != 0 && error != EINVAL) {
        throw FileWriteError(target, error);
    }
}

} // namespace

StagedFile::StagedFile(std::string target) : target_(std::move(target)), destination_(target_) {
    if (target_.empty()) {
        throw FileWriteError(target_, ENOENT);
    }
    struct stat status {};
    if (::lstat(target_.c_str(), &status) == 0 && S_ISLNK(status.st_mode)) {
        std::error_code error;
        destination_ = std::filesystem::weakly_canonical(target_, error).string();
        if (error) {
            throw FileWriteError(target_, error.value());
        }
    }
    const bool exists = ::stat(destination_.c_str(), &status) == 0;
    if (exists && !S_ISREG(status.st_mode)) {
        throw FileWriteError(target_, S_ISDIR(status.st_mode) ? EISDIR : ENOTSUP);
    }
    if (exists && ::access(destination_.c_str(), W_OK) != 0) {
        throw FileWriteError(target_, errno);
    }
    const std::string directory = directoryOf(destination_);
    for (int attempt = 0;; ++attempt) {
        path_ = directory + (directory.ends_with('/') ? "" : "/") + ".quorvel-" +
                std::to_string(::getpid()) + "-" + std::to_string(attempt) + ".tmp";
        const FileDescriptor fd(
            ::open(path_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
        if (fd.isOpen()) {
            if (exists) {
                ::fchmod(fd.get(), status.st_mode & (S_IRWXU | S_IRWXG | S_IRWXO));
            }
            return;
        }
        if (errno != EEXIST || attempt == kMaxNameAttempts) {
            const int error = errno;
            path_.clear();
            throw FileWriteError(target_, error);
        }
    }
}

StagedFile::~StagedFile() {
    if (!committed_ && !path_.empty()) {
        ::unlink(path_.c_str());
    }
}

void StagedFile::commit() {
    syncPath(path_, O_RDONLY, target_);
    if (::rename(path_.c_str(), destination_.c_str()) != 0) {
        throw FileWriteError(target_, errno);
    }
    committed_ = true;
    syncPath(directoryOf(destination_), O_RDONLY | O_DIRECTORY, target_);
}

} // namespace quorvel
