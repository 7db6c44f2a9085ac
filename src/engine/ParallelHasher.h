#pragma once

#include "engine/FileHasher.h"

#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace quorvel {

class FileAccess;

// Hashes files on worker threads and hands the results back in the order the files were given.
// Each worker reads through a file access of its own, so nothing of the file system is shared
// between threads; the workers only read.
class ParallelHasher {
public:
    using MakeFileAccess = std::function<std::unique_ptr<FileAccess>()>;

    ParallelHasher(const MakeFileAccess& make, unsigned workers);
    ~ParallelHasher(); // waits for the workers; files still queued are not read
    ParallelHasher(const ParallelHasher&) = delete;
    ParallelHasher& operator=(const ParallelHasher&) = delete;

    void submit(std::string path);
    // The result of the oldest file submitted and not yet taken; waits for it.
    HashedFile next();
    std::size_t inFlight() const { return submitted_ - taken_; }
    // Drops the files still queued; a worker finishes the file in hand. The destructor stops too.
    void stop();

    // Workers worth starting here: one per processor, at most `limit`.
    static unsigned workersFor(unsigned limit);

private:
    struct Job {
        std::uint64_t number;
        std::string path;
    };
    void work(FileAccess& files);

    std::mutex mutex_;
    std::condition_variable jobReady_;
    std::condition_variable resultReady_;
    std::deque<Job> jobs_;
    std::map<std::uint64_t, HashedFile> results_;
    bool stopping_ = false;
    std::uint64_t submitted_ = 0;
    std::uint64_t taken_ = 0;
    std::vector<std::unique_ptr<FileAccess>> access_;
    std::vector<std::thread> workers_;
};

} // namespace quorvel
