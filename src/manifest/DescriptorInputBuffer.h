#pragma once

#include <array>
#include <streambuf>

namespace quorvel {

// Reads an open descriptor from where it stands to its end, in the order the bytes come, never
// seeking: a pipe, a terminal or standard input reads as a file would. A read error ends the input
// and is kept for the caller, as a stream would take it for the end.
class DescriptorInputBuffer : public std::streambuf {
public:
    explicit DescriptorInputBuffer(int fd) : fd_(fd) {}

    // The system's reason a read failed; 0 when the input ended normally.
    int errorCode() const { return errorCode_; }

protected:
    int_type underflow() override;

private:
    static constexpr std::size_t kBufferBytes = 1 << 16;

    int fd_;
    int errorCode_ = 0;
    std::array<char, kBufferBytes> buffer_{};
};

} // namespace quorvel
