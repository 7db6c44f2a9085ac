#include "cli/StreamedOutput.h"

namespace quorvel {

void StreamedOutput::write(std::string_view text) {
    if (result_.outcome != ReportOutput::Outcome::Written) {
        return;
    }
    pending_ += text;
    if (pending_.size() >= kGathered) {
        flush();
    } else {
        flushIfDue();
    }
}

void StreamedOutput::flushIfDue() {
    if (!pending_.empty() && std::chrono::steady_clock::now() - lastFlush_ >= kLongest) {
        flush();
    }
}

void StreamedOutput::flush() {
    if (result_.outcome == ReportOutput::Outcome::Written && !pending_.empty()) {
        result_ = output_.printText(pending_);
    }
    pending_.clear();
    lastFlush_ = std::chrono::steady_clock::now();
}

} // namespace quorvel
