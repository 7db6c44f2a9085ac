#include "engine/ParallelHasher.h"

#include "engine/FileAccess.h"

#include <algorithm>

namespace quorvel {

ParallelHasher::ParallelHasher(const MakeFileAccess& make, unsigned workers) {
    workers = std::max(workers, 1u);
    for (unsigned i = 0; i < workers; ++i) {
        access_.push_back(make());
    }
    for (auto& files : access_) {
        workers_.emplace_back([this, &files] { work(*files); });
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

HashedFile ParallelHasher::next() {
    std::unique_lock lock(mutex_);
    resultReady_.wait(lock, [this] { return results_.count(taken_) != 0; });
    auto found = results_.extract(taken_++);
    return std::move(found.mapped());
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
        auto hashed = hasher.hash(job.path);
        {
            std::lock_guard lock(mutex_);
            results_.emplace(job.number, std::move(hashed));
        }
        resultReady_.notify_all();
    }
}

} // namespace quorvel
