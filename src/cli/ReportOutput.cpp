#include "cli/ReportOutput.h"

#include <cerrno>
#include <string>
#include <unistd.h>

namespace quorvel {

namespace {

constexpr std::size_t kChunk = 64 * 1024;

} // namespace

ReportOutput::ReportOutput(int fd)
    : ReportOutput(
          fd, [](int f, const char* data, std::size_t size) { return ::write(f, data, size); }) {}

ReportOutput::ReportOutput(int fd, WriteCall write) : fd_(fd), write_(std::move(write)) {}

ReportOutput::Result ReportOutput::print(const Report& report) const {
    std::string chunk;
    chunk.reserve(kChunk);
    for (std::size_t i = 0; i < report.count(); ++i) {
        chunk += report.line(i);
        chunk += '\n';
        if (chunk.size() >= kChunk) {
            if (const auto result = writeAll(chunk.data(), chunk.size());
                result.outcome != Outcome::Written) {
                return result;
            }
            chunk.clear();
        }
    }
    return writeAll(chunk.data(), chunk.size());
}

ReportOutput::Result ReportOutput::writeAll(const char* data, std::size_t size) const {
    while (size > 0) {
        const auto n = write_(fd_, data, size);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return {errno == EPIPE ? Outcome::ReaderGone : Outcome::Failed, errno};
        }
        if (n == 0) {
            return {Outcome::Failed, EIO};
        }
        data += n;
        size -= static_cast<std::size_t>(n);
    }
    return {};
}

} // namespace quorvel
