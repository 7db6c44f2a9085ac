#pragma once

#include "engine/AheadListing.h"
#include "engine/PairComparer.h"
#include "engine/WorkerSignal.h"

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace quorvel {

class FileAccess;

// A pair's first comparison as made on another thread, with what it told on the way, in order,
// for the run's own thread to tell again: progress (a block's bytes, or -1 for the pair done)
// and the files it could not read.
struct AheadResult {
    struct Event {
        std::int64_t progress = 0;
        std::string problemPath; // set for a file that could not be read
        int errorCode = 0;
    };
    PairRecord outcome;
    std::vector<Event> events;
};

// Compares the next small pairs of a run (any pair by size alone) on a thread of its own, ahead
// of their turn: the run's thread takes each pair's result in order, and compares itself a pair
// the thread has not begun. The thread takes the pairs farthest ahead, so the two meet between
// and each does about half. With no pair to compare, it lists the directory the run will list
// next. It only reads files; it tells nobody anything.
class AheadComparer {
public:
    using FileAccessMaker = std::function<std::unique_ptr<FileAccess>()>;
    static constexpr std::size_t kScheduled = 256;
    // How far ahead of the run's turn the thread takes pairs.
    static constexpr std::size_t kWindow = 128;

    // `makeFiles` is called on the thread, for its own file access.
    explicit AheadComparer(FileAccessMaker makeFiles);
    ~AheadComparer();
    AheadComparer(const AheadComparer&) = delete;
    AheadComparer& operator=(const AheadComparer&) = delete;

    // A pair to compare soon, in the order of the run; `listedSize` when a listing just found
    // the first file to be a regular file of that size.
    void schedule(std::string firstPath, std::string secondPath, bool fast,
                  std::optional<std::int64_t> listedSize);
    // The pair's result when the thread compared it (waits while it does, asking `mayGoOn`
    // every few milliseconds); nothing when the caller is to compare it itself: the thread had
    // not begun it, found it bigger than a small pair, failed on it, or the caller said stop.
    // The pairs scheduled before it are dropped.
    std::optional<AheadResult> take(const std::string& firstPath,
                                    const std::function<bool()>& mayGoOn = {});
    // The directory the run lists next, to list on the thread when it has no pair to compare.
    // Replaces the one named before unless that one is being listed.
    void willList(std::string path);
    // The listing of `path` made on the thread (waits while it is made); nothing when the caller
    // is to list it itself.
    std::optional<AheadListing> takeListing(const std::string& path);
    // Drops everything scheduled; no file is read for it after this returns.
    void stop();
    // Waits until the thread has done all it may do for now; for tests.
    void waitUntilIdle();

private:
    enum class Stage { Waiting, Comparing, Done };
    struct Job {
        std::string firstPath;
        std::string secondPath;
        bool fast = false;
        std::optional<std::int64_t> listedSize;
        Stage stage = Stage::Waiting;
        bool abandoned = false; // left to the run's thread
        std::uint64_t number = 0;
        AheadResult result;
    };

    struct ListingJob {
        std::string path;
        Stage stage = Stage::Waiting;
        bool abandoned = false;
        AheadListing result;
    };

    void run();
    // Starts the thread unless it runs; false when the system gives none, and from then on.
    bool started();
    void list(FileAccess& files, std::unique_lock<std::mutex>& lock);
    void dropListing(std::unique_lock<std::mutex>& lock);
    // The farthest pair of the window that nobody has begun, with the lock held.
    Job* nextJob();
    void dropFront(std::size_t count, std::unique_lock<std::mutex>& lock);
    // Waits a little, the lock let go, for the run's thread to change anything; true if it did.
    bool awaitChange(std::unique_lock<std::mutex>& lock);

    FileAccessMaker makeFiles_;
    std::mutex mutex_;
    WorkerSignal signal_;
    std::deque<std::unique_ptr<Job>> jobs_;
    std::unique_ptr<ListingJob> listing_;
    std::atomic<bool> stopping_ = false; // the thread's comparison asks between blocks
    bool forget_ = false;
    bool quit_ = false;
    std::uint64_t scheduled_ = 0;
    bool refused_ = false; // no thread could be had, or it could not set itself up
    std::thread thread_;
};

} // namespace quorvel
