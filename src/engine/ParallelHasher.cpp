#include "engine/ParallelHasher.h"

#include "engine/FileAccess.h"
#include "engine/ThreadStart.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <new>

namespace quorvel {

namespace {

// How often a caller waiting for a result asks whether to go on.
constexpr auto kPollInterval = std::chrono::milliseconds(20);
constexpr std::size_t kJobsPerWake = 16;

} // namespace

ParallelHasher::ParallelHasher(const MakeFileAccess& make, unsigned workers) {
    workers = std::max(workers, 1u);
    // One more for the caller, which hashes too rather than wait.
    for (unsigned i = 0; i <= workers; ++i) {
        access_.push_back(make());
    }
    for (unsigned i = 0; i < workers; ++i) {
        auto& files = access_[i];
        auto thread = startThread([this, &files] { work(*files); });
        if (!thread) {
            break;
        }
        workers_.push_back(std::move(*thread));
    }
}

ParallelHasher::~ParallelHasher() {
    stop();
    for (auto& worker : workers_) {
        worker.join();
    }
}

void ParallelHasher::stop() {
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
        stopRequested_ = true;
        jobs_.clear();
    }
    jobReady_.notify_all();
}

unsigned ParallelHasher::workersFor(unsigned limit) {
    return std::clamp(std::thread::hardware_concurrency(), 1u, std::max(limit, 1u));
}

void ParallelHasher::submit(std::string path, std::int64_t keepUpTo) {
    bool wake;
    {
        std::lock_guard lock(mutex_);
        jobs_.push_back({submitted_++, std::move(path), keepUpTo});
        // Waking a worker costs two switches of threads, more than hashing a small file: one is
        // woken for several jobs, and the caller hashes what is queued when it needs a result.
        wake = idleWorkers_ > 0 && jobs_.size() >= kJobsPerWake;
    }
    if (wake) {
        jobReady_.notify_one();
    }
}

std::optional<HashedFile> ParallelHasher::next(const MayGoOn& mayGoOn) {
    std::unique_lock lock(mutex_);
    while (results_.count(taken_) == 0) {
        if (!jobs_.empty()) {
            // Waiting would cost two switches of threads: the caller hashes the next file itself,
            // asking between blocks whether to go on.
            auto job = std::move(jobs_.front());
            jobs_.pop_front();
            lock.unlock();
            if (!callerHasher_) {
                callerHasher_ = std::make_unique<FileHasher>(*access_.back());
            }
            auto hashed = hashOne(*callerHasher_, job, mayGoOn);
            if (hashed.stopped) {
                stop();
                return std::nullopt;
            }
            lock.lock();
            results_.emplace(job.number, std::move(hashed));
            continue;
        }
        if (workers_.empty() || stopping_) {
            return std::nullopt; // nothing asked for, or nobody left to hash it
        }
        takerWaiting_ = true;
        const bool came = resultReady_.wait_for(lock, kPollInterval,
                                                [this] { return results_.count(taken_) != 0; });
        takerWaiting_ = false;
        if (!came && mayGoOn && !mayGoOn()) {
            lock.unlock();
            stop();
            return std::nullopt;
        }
    }
    auto found = results_.extract(taken_++);
    return std::move(found.mapped());
}

HashedFile ParallelHasher::hashOne(FileHasher& hasher, const Job& job, const MayGoOn& mayGoOn) {
    try {
        return hasher.hash(
            job.path,
            [this, &mayGoOn](std::int64_t) {
                return !stopRequested_.load() && (!mayGoOn || mayGoOn());
            },
            job.keepUpTo);
    } catch (const std::bad_alloc&) {
        // What a worker cannot do costs that file, never the run.
        HashedFile failed;
        failed.errorCode = ENOMEM;
        return failed;
    }
}

void ParallelHasher::work(FileAccess& files) {
    FileHasher hasher(files);
    for (;;) {
        Job job;
        {
            std::unique_lock lock(mutex_);
            ++idleWorkers_;
            jobReady_.wait(lock, [this] { return stopping_ || !jobs_.empty(); });
            --idleWorkers_;
            if (stopping_) {
                return;
            }
            job = std::move(jobs_.front());
            jobs_.pop_front();
        }
        auto hashed = hashOne(hasher, job, {});
        bool wake;
        {
            std::lock_guard lock(mutex_);
            results_.emplace(job.number, std::move(hashed));
            // Only the result the caller waits for is worth waking it.
            wake = takerWaiting_ && job.number == taken_;
        }
        if (wake) {
            resultReady_.notify_all();
        }
    }
}

} // namespace quorvel
