#pragma once

#include <utility>

namespace quorvel {

// An open descriptor, closed once when its owner goes; -1 holds nothing. Closing never changes
// errno, so a reason saved before an owner goes out of scope stays the reason.
class FileDescriptor {
public:
    FileDescriptor() = default;
    explicit FileDescriptor(int fd) : fd_(fd) {}
    ~FileDescriptor() { reset(); }
    FileDescriptor(FileDescriptor&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
    FileDescriptor& operator=(FileDescriptor&& other) noexcept {
        if (this != &other) {
            reset();
            fd_ = std::exchange(other.fd_, -1);
        }
        return *this;
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;

    int get() const { return fd_; }
    bool isOpen() const { return fd_ >= 0; }
    void reset();
    // Closes now, for a writer that must know the close went well (a late write error shows
    // there). Returns 0 or the errno value.
    int close();
    // Hands the descriptor to a new owner outside this type (fdopendir).
    int release() { return std::exchange(fd_, -1); }

private:
    int fd_ = -1;
};

} // namespace quorvel
