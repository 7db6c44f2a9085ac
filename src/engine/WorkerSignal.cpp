#include "engine/WorkerSignal.h"

namespace quorvel {

void WorkerSignal::wake(bool urgent) {
    changes_.fetch_add(1, std::memory_order_relaxed);
    ++changesSinceSleep_;
    if (sleeping_ && (urgent || changesSinceSleep_ >= kWakeBatch)) {
        sleeping_ = false;
        ready_.notify_one();
    }
}

void WorkerSignal::quit() {
    sleeping_ = false;
    ready_.notify_one();
}

void WorkerSignal::sleep(std::unique_lock<std::mutex>& lock, const bool& quitting) {
    ++sleeps_;
    sleeping_ = true;
    changesSinceSleep_ = 0;
    done_.notify_all();
    ready_.wait(lock, [this, &quitting] { return !sleeping_ || quitting; });
}

void WorkerSignal::waitUntilIdle(std::unique_lock<std::mutex>& lock) {
    const auto seen = sleeps_;
    wake(true);
    done_.wait(lock, [this, seen] { return sleeps_ > seen; });
}

} // namespace quorvel
