#pragma once

#include "engine/RunObserver.h"
#include "engine/RunRequest.h"

#include <functional>
#include <string>
#include <string_view>

namespace quorvel {

// The report for scripts of a run as it goes: every pair counted, also those the text report
// leaves out, and every path that could not be read. Kept whole until the run ends, so that a
// file can be replaced at once, or handed on line by line as it is made.
class JsonRunWriter : public RunObserver {
public:
    using Sink = std::function<void(std::string_view lines)>;

    explicit JsonRunWriter(RunRequest request);
    // From now on each line goes to `sink` as it is made, and none is kept.
    void streamTo(Sink sink) { sink_ = std::move(sink); }

    void runStarted() override;
    void runEnded(bool interrupted) override;
    void pairCounted(const PairRecord& pair, const RunCounters& counters) override;
    void readProblem(std::string_view path, int errorCode) override;
    void recordedProblem(std::string_view manifest, std::string_view path, int errorCode) override;

    const std::string& text() const { return text_; }

private:
    RunRequest request_;
    RunCounters counters_;
    std::string text_;
    Sink sink_;

    void handOn();
};

} // namespace quorvel
