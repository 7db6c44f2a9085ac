#include "engine/RateMeter.h"

#include <algorithm>

namespace quorvel {

namespace {

constexpr double kFirstRateAfter = 1.0; // seconds of work before a rate means anything

} // namespace

void RateMeter::start(double now) {
    started_ = now;
    samples_.clear();
    samples_.emplace_back(now, 0.0);
}

void RateMeter::add(double now, double bytesDone) {
    samples_.emplace_back(now, bytesDone);
    // One sample at or before the window's start stays, so the window is always covered.
    while (samples_.size() > 2 && samples_[1].first <= now - window_) {
        samples_.pop_front();
    }
}

std::optional<double> RateMeter::bytesPerSecond() const {
    if (samples_.size() < 2) {
        return std::nullopt;
    }
    const auto& [firstTime, firstBytes] = samples_.front();
    const auto& [lastTime, lastBytes] = samples_.back();
    if (lastTime - started_ < kFirstRateAfter || lastTime <= firstTime) {
        return std::nullopt;
    }
    return std::max(0.0, lastBytes - firstBytes) / (lastTime - firstTime);
}

std::optional<double> RateMeter::secondsLeft(double totalBytes) const {
    const auto rate = bytesPerSecond();
    if (!rate || *rate <= 0) {
        return std::nullopt;
    }
    return std::max(0.0, totalBytes - samples_.back().second) / *rate;
}

} // namespace quorvel
