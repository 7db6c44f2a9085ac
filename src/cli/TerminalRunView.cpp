#include "cli/TerminalRunView.h"

#include "engine/ReportLineFormat.h"

#include <cstring>

namespace quorvel {

TerminalRunView::TerminalRunView(RunPlan plan, CompareOptions options, std::string filterCaption,
                                 std::string fastCaption, bool showProgress,
                                 std::FILE* progressStream)
    : plan_(std::move(plan)), options_(std::move(options)),
      filterCaption_(std::move(filterCaption)), fastCaption_(std::move(fastCaption)),
      showProgress_(showProgress), stream_(progressStream) {}

void TerminalRunView::setProgressVisible(bool visible) {
    progressVisible_ = visible;
    redraw();
}

void TerminalRunView::setProgress(int percent) {
    percent_ = percent;
    redraw();
}

void TerminalRunView::setFileStatus(std::string_view text) {
    fileStatus_ = text;
    redraw();
}

void TerminalRunView::setFileStatusVisible(bool visible) {
    fileStatusVisible_ = visible;
    redraw();
}

void TerminalRunView::processEvents() {
    if (interrupted_ && abort_ && interrupted_()) {
        abort_();
    }
}

void TerminalRunView::noteReadProblem(std::string_view path, int errorCode) {
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

void TerminalRunView::showError(std::string_view text, std::string_view) {
    std::fprintf(stderr, "quorvel-compare: %.*s\n", static_cast<int>(text.size()), text.data());
}

void TerminalRunView::redraw() {
    if (!showProgress_) {
        return;
    }
    std::string line;
    if (fileStatusVisible_) {
        // Names may hold escape bytes; they must not reach the terminal as commands.
        line = reportSafe(fileStatus_);
    }
    if (progressVisible_) {
        line += (line.empty() ? "" : "  ") + std::string("[") + std::to_string(percent_) + "%]";
    }
    if (line == shown_) {
        return;
    }
    shown_ = line;
    std::fprintf(stream_, "\r\033[K%s", line.c_str());
    std::fflush(stream_);
}

} // namespace quorvel
