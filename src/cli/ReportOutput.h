#pragma once

#include "report/Report.h"

#include <cstddef>
#include <functional>
#include <string_view>
#include <sys/types.h>

namespace quorvel {

// The report printed on a descriptor (standard output), every write checked and a write cut
// short by a signal carried on, so that no line is lost without a word.
class ReportOutput {
public:
    // Behaves like ::write; tests put a failing one in.
    using WriteCall = std::function<ssize_t(int fd, const char* data, std::size_t size)>;

    enum class Outcome {
        Written,
        ReaderGone, // the reader stopped early (a closed pipe): not a failure of ours
        Failed,
    };
    struct Result {
        Outcome outcome = Outcome::Written;
        int errorCode = 0; // the system's reason when Failed
    };

    explicit ReportOutput(int fd);
    ReportOutput(int fd, WriteCall write);

    // Each line followed by "\n".
    Result print(const Report& report) const;
    // Text as it is, such as the report for scripts.
    Result printText(std::string_view text) const { return writeAll(text.data(), text.size()); }

private:
    Result writeAll(const char* data, std::size_t size) const;

    int fd_;
    WriteCall write_;
};

} // namespace quorvel
