#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <mutex>

namespace quorvel {

// How a run's thread and one reading thread wake each other, every call made with the owner's
// lock held. A wake-up costs a system call on one side and a switch on the other, so a sleeping
// thread is woken only when its owner is about to wait for it, or when enough has changed to be
// worth it.
class WorkerSignal {
public:
    // The owner changed something the thread may work on.
    void wake(bool urgent);
    // The owner ends the thread: it wakes whatever it is waiting for.
    void quit();
    // How many changes were made so far; read without the lock by a thread looking for work.
    std::uint64_t changes() const { return changes_.load(std::memory_order_relaxed); }

    // The thread has nothing to do: it sleeps until woken, or until `quitting` holds.
    void sleep(std::unique_lock<std::mutex>& lock, const bool& quitting);
    // The thread finished something its owner may be waiting for.
    void done() { done_.notify_all(); }

    // The owner waits for what the thread does.
    template <class Predicate>
    void waitFor(std::unique_lock<std::mutex>& lock, Predicate predicate) {
        done_.wait(lock, predicate);
    }
    // The same for at most `timeout`; whether the predicate holds.
    template <class Predicate>
    bool waitFor(std::unique_lock<std::mutex>& lock, std::chrono::milliseconds timeout,
                 Predicate predicate) {
        return done_.wait_for(lock, timeout, predicate);
    }
    // The owner waits until the thread has done all it may and gone to sleep again.
    void waitUntilIdle(std::unique_lock<std::mutex>& lock);

private:
    static constexpr std::size_t kWakeBatch = 8;

    std::condition_variable ready_;
    std::condition_variable done_;
    bool sleeping_ = false;
    std::size_t changesSinceSleep_ = 0;
    std::atomic<std::uint64_t> changes_ = 0;
    std::uint64_t sleeps_ = 0;
};

} // namespace quorvel
