#include "cli/TerminalRunView.h"

#include "report/ReportLineFormat.h"

#include <cstring>

namespace quorvel {

TerminalRunView::TerminalRunView(bool showProgress, bool showBar, std::FILE* progressStream)
    : showProgress_(showProgress), showBar_(showBar), stream_(progressStream) {}

void TerminalRunView::runStarted() {
    running_ = true;
    redraw();
}

void TerminalRunView::runEnded(bool) {
    running_ = false;
    redraw();
}

void TerminalRunView::showStatus(std::string_view text) {
    status_ = text;
    redraw();
}

void TerminalRunView::pairBegun(std::string_view name) {
    pairName_ = name;
    status_ = name;
    redraw();
}

void TerminalRunView::bytesCompared(const RunBytes& bytes) {
    percent_ = bytes.runPercent();
    if (bytes.blockRead) {
        status_ = pairName_ + "  " + std::to_string(bytes.pairPercent()) + "%";
    }
    redraw();
}

bool TerminalRunView::mayGoOn() {
    return !(interrupted_ && interrupted_());
}

void TerminalRunView::readProblem(std::string_view path, int errorCode) {
    hadReadProblems_ = true;
    // The live progress line gives way to the note and comes back below it.
    if (!shown_.empty() && stream_ == stderr) {
        std::fputs("\r\033[K", stderr);
    }
    // A name may hold escape bytes; they must not reach the terminal as commands.
    std::fprintf(stderr, "quorvel-compare: %s: %s\n", reportSafe(path).c_str(),
                 std::strerror(errorCode));
    if (!shown_.empty() && stream_ == stderr) {
        std::fputs(shown_.c_str(), stderr);
        std::fflush(stderr);
    }
}

void TerminalRunView::redraw() {
    if (!showProgress_) {
        return;
    }
    std::string line;
    if (running_) {
        // Names may hold escape bytes; they must not reach the terminal as commands.
        line = reportSafe(status_);
        if (showBar_) {
            line += (line.empty() ? "" : "  ") + std::string("[") + std::to_string(percent_) + "%]";
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
