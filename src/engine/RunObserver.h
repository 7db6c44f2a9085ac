#pragma once

#include "engine/PairRecord.h"
#include "engine/RunState.h"

#include <algorithm>
#include <cstdint>
#include <string_view>

namespace quorvel {

// How far a run is, in bytes: told after each block of a pair and when a pair is done.
struct RunBytes {
    // What one pair costs beside its bytes (its opens and looks), as bytes read from memory
    // would: the work of many empty files is not nothing.
    static constexpr double kPairWork = 32 * 1024;

    std::int64_t pairDone = 0;
    std::int64_t pairSize = 0;
    double runDone = 0;
    double runTotal = 0; // the size pass's sum; 0 when there was none
    std::int64_t pairsDone = 0;
    std::int64_t pairsTotal = 0; // the pairs the size pass found; 0 when there was none
    bool blockRead = false;      // false when the pair ended without reading a block now

    // The work done and to do, bytes and pairs together: a run with many empty files still to
    // come is not nearly done when its bytes are.
    double workDone() const { return runDone + static_cast<double>(pairsDone) * kPairWork; }
    double workTotal() const { return runTotal + static_cast<double>(pairsTotal) * kPairWork; }

    // Whole percentages, never past 100 however much a file grew since it was listed.
    int pairPercent() const { return percent(static_cast<double>(pairDone), pairSize); }
    int runPercent() const { return percent(workDone(), workTotal()); }

private:
    static int percent(double done, double total) {
        return static_cast<int>(std::clamp(done * 100.0 / (total > 0 ? total : 1.0), 0.0, 100.0));
    }
};

// What a run tells while it goes on. Everything is told from the thread that runs it, in the
// order it happens.
class RunObserver {
public:
    virtual ~RunObserver() = default;

    // The heading is written; the pairs (or the size pass) follow.
    virtual void runStarted() {}
    // The status and summary are written.
    virtual void runEnded(bool interrupted) { (void)interrupted; }
    virtual void directoryBegun(std::string_view relativePath) { (void)relativePath; }
    virtual void pairBegun(std::string_view name) { (void)name; }
    virtual void bytesCompared(const RunBytes& bytes) { (void)bytes; }
    // Every pair compared, also one the report leaves out, with the counts that include it.
    virtual void pairCounted(const PairRecord& pair, const RunCounters& counters) {
        (void)pair;
        (void)counters;
    }
    // A file or directory that could not be read, with the system's reason (an errno value). A
    // file missing on the right is a difference, not a problem, and is not told.
    virtual void readProblem(std::string_view path, int errorCode) {
        (void)path;
        (void)errorCode;
    }
    // A path a manifest records as unreadable where it was taken: `path` as recorded, relative to
    // the tree it was taken of, never one of ours. Trouble as a read problem is.
    virtual void recordedProblem(std::string_view manifest, std::string_view path, int errorCode) {
        (void)manifest;
        (void)path;
        (void)errorCode;
    }
    // Asked often, also where no pair is compared for a long while; false stops the run.
    virtual bool mayGoOn() { return true; }
};

// Asks whether the run may go on; a no is an abort, as if the abort button had been pressed.
inline void pollAbort(RunObserver& observer, RunState& state) {
    if (!observer.mayGoOn()) {
        state.abortRequested = true;
    }
}

} // namespace quorvel
