#pragma once

#include "cli/ReportOutput.h"

#include <chrono>
#include <string>
#include <string_view>

namespace quorvel {

// Text written to a descriptor as a run makes it, like any command-line filter: gathered into
// writes of a few kilobytes, and never held back long while the run goes on. After a failure or
// once the reader is gone, the rest is dropped; the outcome says which.
class StreamedOutput {
public:
    explicit StreamedOutput(ReportOutput output) : output_(std::move(output)) {}

    void write(std::string_view text);
    // Writes what is gathered when it has waited long enough; asked often while a pair is read.
    void flushIfDue();
    void flush();
    ReportOutput::Result result() const { return result_; }

private:
    static constexpr std::size_t kGathered = 64 * 1024;
    static constexpr auto kLongest = std::chrono::milliseconds(100);

    ReportOutput output_;
    std::string pending_;
    std::chrono::steady_clock::time_point lastFlush_{};
    ReportOutput::Result result_;
};

} // namespace quorvel
