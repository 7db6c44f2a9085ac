#include "manifest/DescriptorInputBuffer.h"

#include <cerrno>
#include <unistd.h>

namespace quorvel {

DescriptorInputBuffer::int_type DescriptorInputBuffer::underflow() {
    if (gptr() < egptr()) {
        return traits_type::to_int_type(*gptr());
    }
    if (errorCode_ != 0) {
        return traits_type::eof();
    }
    for (;;) {
        const ssize_t n = ::read(fd_, buffer_.data(), buffer_.size());
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0) {
            errorCode_ = errno;
        }
        if (n <= 0) {
            return traits_type::eof();
        }
        setg(buffer_.data(), buffer_.data(), buffer_.data() + n);
        return traits_type::to_int_type(*gptr());
    }
}

} // namespace quorvel
