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

} // namespace

ParallelHasher::ParallelHasher(const MakeFileAccess& make, unsigned workers) {
    workers = std::max(workers, 1u);
    for (unsigned i = 0; i < workers; ++i) {
        access_.push_back(make());
    }
    for (auto& files : access_) {
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

void ParallelHasher::submit(std::string path) {
    {
        std::lock_guard lock(mutex_);
        jobs_.push_back({submitted_++, std::move(path)});
    }
    jobReady_.notify_one();
}

std::optional<HashedFile> ParallelHasher::next(const MayGoOn& mayGoOn) {
    std::unique_lock lock(mutex_);
    if (workers_.empty()) {
        // No thread to wait for: the file is hashed here, asking between blocks.
        if (jobs_.empty()) {
            return std::nullopt;
        }
        auto job = std::move(jobs_.front());
        jobs_.pop_front();
        lock.unlock();
        if (!ownHasher_) {
            ownHasher_ = std::make_unique<FileHasher>(*access_.front());
        }
        auto hashed =
            ownHasher_->hash(job.path, [&mayGoOn](std::int64_t) { return !mayGoOn || mayGoOn(); });
        ++taken_;
        if (hashed.stopped) {
            stop();
            return std::nullopt;
        }
        return hashed;
    }
    const auto ready = [this] { return results_.count(taken_) != 0; };
    while (!resultReady_.wait_for(lock, kPollInterval, ready)) {
        if (mayGoOn && !mayGoOn()) {
            lock.unlock();
            stop();
            return std::nullopt;
        }
    }
    auto found = results_.extract(taken_++);
    return std::move(found.mapped());
}

HashedFile ParallelHasher::hashOne(FileHasher& hasher, const std::string& path) {
    try {
        return hasher.hash(path, [this](std::int64_t) { return !stopRequested_.load(); });
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
            jobReady_.wait(lock, [this] { return stopping_ || !jobs_.empty(); });
            if (stopping_) {
                return;
            }
            job = std::move(jobs_.front());
            jobs_.pop_front();
        }
        auto hashed = hashOne(hasher, job.path);
        {
            std::lock_guard lock(mutex_);
            results_.emplace(job.number, std::move(hashed));
        }
        resultReady_.notify_all();
    }
}

} // namespace quorvel
