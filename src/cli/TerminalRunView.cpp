#include "cli/TerminalRunView.h"

#include "engine/PairRecord.h"
#include "report/ReportLineFormat.h"

#include <cstring>

namespace quorvel {

TerminalRunView::TerminalRunView(bool showProgress, bool showBar, std::FILE* progressStream,
                                 std::string decimalSeparator)
    : showProgress_(showProgress), showBar_(showBar), stream_(progressStream),
      decimalSeparator_(std::move(decimalSeparator)) {}

void TerminalRunView::runStarted() {
    running_ = true;
    redraw(true);
}

void TerminalRunView::runEnded(bool) {
    running_ = false;
    redraw(true);
}

double TerminalRunView::secondsSinceStart() const {
    return std::chrono::duration<double>(Clock::now() - started_).count();
}

void TerminalRunView::showStatus(std::string_view text) {
    status_ = text;
    redraw(true);
}

void TerminalRunView::pairBegun(std::string_view name) {
    if (!metering_) {
        // The rate is the pairs' own: the size pass before them reads nothing.
        metering_ = true;
        started_ = Clock::now();
        lastSample_ = started_;
        meter_.start(0);
        workMeter_.start(0);
    }
    pairName_ = name;
    status_ = name;
    redraw();
}

void TerminalRunView::bytesCompared(const RunBytes& bytes) {
    percent_ = bytes.runPercent();
    bytes_ = bytes;
    if (bytes.blockRead) {
        status_ = pairName_;
        status_.append("  ").append(std::to_string(bytes.pairPercent())).append("%");
    }
    if (metering_ && Clock::now() - lastSample_ >= kRedrawInterval) {
        lastSample_ = Clock::now();
        meter_.add(secondsSinceStart(), bytes.runDone);
        workMeter_.add(secondsSinceStart(), bytes.workDone());
    }
    redraw();
}

std::string TerminalRunView::barText() const {
    // Built by appending: GCC 12 at -O3 warns of a false overlap in chains of string additions.
    std::string text = "[";
    text.append(std::to_string(percent_)).append("%]");
    if (!metering_) {
        return text;
    }
    text.append(" ").append(formatByteSize(bytes_.runDone, decimalSeparator_));
    text.append(" of ").append(formatByteSize(bytes_.runTotal, decimalSeparator_));
    if (const auto rate = meter_.bytesPerSecond()) {
        text.append(", ").append(formatByteSize(*rate, decimalSeparator_)).append("/s");
        // The rate falls while only empty files are done; the time left counts them.
        if (const auto left = workMeter_.secondsLeft(bytes_.workTotal())) {
            text.append(", ").append(formatDuration(*left)).append(" left");
        }
    }
    return text;
}

bool TerminalRunView::mayGoOn() {
    return !(interrupted_ && interrupted_());
}

void TerminalRunView::recordedProblem(std::string_view manifest, std::string_view path,
                                      int errorCode) {
    std::string named(manifest);
    named.append(": recorded unreadable: ").append(path);
    readProblem(named, errorCode);
}

void TerminalRunView::readProblem(std::string_view path, int errorCode) {
    hadReadProblems_ = true;
    // The live progress line gives way to the note and comes back below it.
    if (!shown_.empty() && stream_ == stderr) {
        std::fputs("\r\033[K", stderr);
    }
    // A name may hold escape bytes; they must not reach the terminal as commands.
    std::fprintf(stderr, "quorvel-compare: %s: %s\n", reportSafe(path).c_str(),
                 ownReasonText(errorCode) ? ownReasonText(errorCode) : std::strerror(errorCode));
    if (!shown_.empty() && stream_ == stderr) {
        std::fputs(shown_.c_str(), stderr);
        std::fflush(stderr);
    }
}

void TerminalRunView::redraw(bool now) {
    if (!showProgress_ || (!now && Clock::now() - lastDraw_ < kRedrawInterval)) {
        return;
    }
    lastDraw_ = Clock::now();
    std::string line;
    if (running_) {
        // Names may hold escape bytes; they must not reach the terminal as commands.
        const std::string status = reportSafe(status_);
        if (showBar_) {
            line = barText();
            line.append(status.empty() ? "" : "  ").append(status);
        } else {
            line = status;
        }
    }
    if (line == shown_) {
        return;
    }
    shown_ = line;
    std::fprintf(stream_, "\r\033[K%s", line.c_str());
    std::fflush(stream_);
}

} // namespace quorvel
