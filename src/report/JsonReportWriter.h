#pragma once

#include "engine/PairRecord.h"
#include "engine/RunRequest.h"
#include "report/AtomicFileWriter.h"

#include <functional>
#include <string>
#include <string_view>

namespace quorvel {

class Report;

// The report for scripts (JSON Lines), for the companion as its run goes and for the window from
// a kept report: the start, the pairs, the paths that could not be read, the summary last. Kept
// whole until it ends, so that a file can be replaced at once, or handed on line by line as it is
// made.
class JsonReportWriter {
public:
    using Sink = std::function<void(std::string_view lines)>;

    explicit JsonReportWriter(RunRequest request);
    // From now on each line goes to `sink` as it is made, and none is kept.
    void streamTo(Sink sink) { sink_ = std::move(sink); }

    void start();
    void pair(const PairRecord& pair);
    void trouble(std::string_view path, int errorCode);
    // A path a manifest records as unreadable, with the manifest that says so.
    void recordedTrouble(std::string_view manifest, std::string_view path, int errorCode);
    void end(const RunCounters& counters, bool interrupted);

    const std::string& text() const { return text_; }

private:
    void handOn();

    RunRequest request_;
    std::string text_;
    Sink sink_;
};

// A kept report in that format: the pairs its lines list (with "only different" the equal ones
// are not among them) and the summary of the whole run.
std::string formatReportJson(const Report& report);

// Replaces `path` with that format. Throws FileWriteError.
void writeReportJson(const Report& report, const std::string& path,
                     const AtomicFileWriter& writer = AtomicFileWriter());

} // namespace quorvel
