#pragma once

#include "engine/RateMeter.h"
#include "engine/RunObserver.h"

#include <chrono>
#include <cstdio>
#include <functional>
#include <string>

namespace quorvel {

// A run seen on a terminal: the pair in hand and the percentage as one live line on standard
// error, each file that could not be read as a line of its own, and an interrupt as the abort.
class TerminalRunView : public RunObserver {
public:
    // `showBar` for a run whose size pass gives a percentage of the whole, with the bytes done,
    // the rate and the time left.
    TerminalRunView(bool showProgress, bool showBar, std::FILE* progressStream,
                    std::string decimalSeparator = ".");

    // Asked whenever the run may stop; true once the user has asked to stop.
    void setInterruptCheck(std::function<bool()> interrupted) {
        interrupted_ = std::move(interrupted);
    }
    bool hadReadProblems() const { return hadReadProblems_; }
    // A status of the run's own between its steps, such as the size pass's.
    void showStatus(std::string_view text);

    void runStarted() override;
    void runEnded(bool interrupted) override;
    void pairBegun(std::string_view name) override;
    void bytesCompared(const RunBytes& bytes) override;
    // One line on standard error per path, as diff and cmp do.
    void readProblem(std::string_view path, int errorCode) override;
    // "MANIFEST: recorded unreadable: PATH: REASON", so that it never reads as a local path.
    void recordedProblem(std::string_view manifest, std::string_view path, int errorCode) override;
    bool mayGoOn() override;

private:
    using Clock = std::chrono::steady_clock;
    static constexpr auto kRedrawInterval = std::chrono::milliseconds(100);

    // At most ten times a second unless `now`: a terminal that is written to without a pause
    // slows the run down.
    void redraw(bool now = false);
    std::string barText() const;
    double secondsSinceStart() const;

    bool showProgress_;
    bool showBar_;
    std::FILE* stream_;
    std::function<bool()> interrupted_;

    std::string decimalSeparator_;
    bool hadReadProblems_ = false;
    bool running_ = false;
    int percent_ = 0;
    RunBytes bytes_;
    RateMeter meter_;     // the bytes read, for the rate shown
    RateMeter workMeter_; // bytes and pairs, for the time left
    bool metering_ = false;
    Clock::time_point started_;
    Clock::time_point lastSample_;
    Clock::time_point lastDraw_;
    std::string pairName_;
    std::string status_; // the pair, with its own percentage once a block of it is read
    std::string shown_;
};

} // namespace quorvel
