#pragma once

#include "engine/CompareBuffers.h"
#include "engine/DirectoryWalker.h"
#include "engine/MovesHold.h"
#include "engine/NameMatcher.h"
#include "engine/PairComparer.h"
#include "engine/RunBookkeeping.h"
#include "engine/RunRequest.h"
#include "engine/RunState.h"
#include "engine/RunSteps.h"

#include <optional>
#include <string>

namespace quorvel {

class FileAccess;
class RunObserver;
class RunRecord;

// Why a request cannot be run.
enum class RequestProblem { NoMode, NoTwoFiles, NoLeftFile };

// A comparison run: the heading, the size pass, the pairs, the status and the summary, written
// to a record and told to an observer. One object can serve many runs: it owns the two
// comparison buffers.
class ComparisonRun : public RunSteps {
public:
    ComparisonRun(RunObserver& observer, RunRecord& record, FileAccess& files);

    // Why a request cannot be run, or nothing.
    static std::optional<RequestProblem> requestProblem(const RunRequest& request);

    // The steps, in this order; a caller shows its own state between them.
    void begin(const RunRequest& request); // clears the record and writes the heading
    void sumSizes() override;              // directory mode only
    void comparePairs() override;
    void end() override; // the status and the summary

    // Seen the next time the run asks its observer whether it may go on.
    void requestAbort() { state_.abortRequested = true; }

    const RunState& state() const override { return state_; }
    void setWalkOptions(const WalkOptions& options) { walker_.setOptions(options); }

private:
    void compareNamedPair(const std::string& firstName, const std::string& secondName);
    // Each chosen file with its namesake in the right directory.
    void compareChosenFiles();
    // A chosen file paired with none, as other names share its key.
    void recordCollision(const std::string& name, const NameMatch& match);
    // The first chosen file on the left.
    std::string firstName() const;

    // What the run writes and tells goes through it, to be held where moves are looked for.
    MovesHold hold_;
    RunObserver& observer_;
    RunRecord& record_;
    FileAccess& files_;
    RunRequest request_;
    std::string left_; // the request's directories as a run names them
    std::string right_;
    CompareBuffers buffers_;
    RunState state_;
    PairComparer pairs_;
    RunBookkeeping books_;
    DirectoryWalker walker_;
    NameMatcher matcher_;
};

} // namespace quorvel
