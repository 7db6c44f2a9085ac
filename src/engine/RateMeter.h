#pragma once

#include <deque>
#include <optional>
#include <utility>

namespace quorvel {

// The reading rate of a run over its last few seconds, so that a run that leaves the page cache
// for the disk shows it soon, and the time the rest takes at that rate.
class RateMeter {
public:
    explicit RateMeter(double windowSeconds = 5.0) : window_(windowSeconds) {}

    // A run starts at this moment (seconds on any steady clock).
    void start(double now);
    // The bytes done so far at this moment.
    void add(double now, double bytesDone);
    // Known once a second of work has passed.
    std::optional<double> bytesPerSecond() const;
    std::optional<double> secondsLeft(double totalBytes) const;

private:
    double window_;
    double started_ = 0;
    std::deque<std::pair<double, double>> samples_; // (moment, bytes done), oldest first
};

} // namespace quorvel
