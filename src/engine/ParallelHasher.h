#pragma once

#include "engine/FileHasher.h"

#include <atomic>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace quorvel {

class FileAccess;

// Hashes files on worker threads and hands the results back in the order the files were given.
// Each worker reads through a file access of its own, so nothing of the file system is shared
// between threads; the workers only read. The caller's thread, rather than wait for a result,
// hashes the next file queued itself; where the system gives no thread, it hashes them all.
class ParallelHasher {
public:
    using MakeFileAccess = std::function<std::unique_ptr<FileAccess>()>;
    // Asked while a result is waited for; false gives up waiting.
    using MayGoOn = std::function<bool()>;

    ParallelHasher(const MakeFileAccess& make, unsigned workers);
    ~ParallelHasher(); // stops, and waits for the workers to leave the block in hand
    ParallelHasher(const ParallelHasher&) = delete;
    ParallelHasher& operator=(const ParallelHasher&) = delete;

    // `keepUpTo`: contents at most that long come back with the hash.
    void submit(std::string path, std::int64_t keepUpTo = 0);
    // The result of the oldest file submitted and not yet taken; waits for it, asking `mayGoOn`
    // every few milliseconds. Nothing once it said no: the hashing is stopped.
    std::optional<HashedFile> next(const MayGoOn& mayGoOn = {});
    std::size_t inFlight() const { return submitted_ - taken_; }
    // Drops the files still queued; a worker stops within the block in hand.
    void stop();
    // The worker threads the system gave.
    std::size_t workerCount() const { return workers_.size(); }

    // Workers worth starting here: one per processor, at most `limit`.
    static unsigned workersFor(unsigned limit);

private:
    struct Job {
        std::uint64_t number;
        std::string path;
        std::int64_t keepUpTo = 0;
    };
    void work(FileAccess& files);
    // `mayGoOn`, asked between blocks, only on the caller's thread.
    HashedFile hashOne(FileHasher& hasher, const Job& job, const MayGoOn& mayGoOn);

    std::mutex mutex_;
    std::condition_variable jobReady_;
    std::condition_variable resultReady_;
    std::deque<Job> jobs_;
    std::map<std::uint64_t, HashedFile> results_;
    bool stopping_ = false;
    unsigned idleWorkers_ = 0;                // waiting for a job
    bool takerWaiting_ = false;               // the caller waits for the result numbered taken_
    std::atomic<bool> stopRequested_ = false; // the workers' hashing asks after each block
    std::uint64_t submitted_ = 0;
    std::uint64_t taken_ = 0;
    std::vector<std::unique_ptr<FileAccess>> access_;
    std::vector<std::thread> workers_;
    std::unique_ptr<FileHasher> callerHasher_; // hashes on the caller's thread while it waits
};

} // namespace quorvel
