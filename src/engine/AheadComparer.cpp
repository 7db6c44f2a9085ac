#include "engine/AheadComparer.h"

#include "engine/CompareBuffers.h"
#include "engine/FileAccess.h"
#include "engine/RealTime.h"
#include "engine/RunObserver.h"
#include "engine/RunState.h"
#include "engine/ThreadDescriptors.h"
#include "engine/ThreadStart.h"

#include <algorithm>
#include <chrono>
#include <new>
#include <unistd.h>

namespace quorvel {

namespace {

// How long the thread looks for more pairs before it sleeps: more come soon while a directory
// is begun, and a wake-up costs more than this.
constexpr auto kSpinTime = std::chrono::microseconds(50);

// How often the run's thread, waiting for a pair's result, asks whether to go on.
constexpr auto kPollInterval = std::chrono::milliseconds(20);

// What a comparison on the thread tells, kept in order; it goes on until the run stops, or
// until the pair turns out bigger than a small pair (it grew since it was listed).
class EventLog : public RunObserver {
public:
    explicit EventLog(const std::atomic<bool>& stopping) : stopping_(stopping) {}

    void begin(std::vector<AheadResult::Event>& events) {
        events_ = &events;
        pairDone_ = 0;
    }
    bool tooBig() const { return pairDone_ > CompareBuffers::kBlockSize; }
    void bytesCompared(const RunBytes& bytes) override {
        events_->push_back({bytes.blockRead ? bytes.pairDone - pairDone_ : -1, {}, 0});
        pairDone_ = bytes.pairDone;
    }
    void readProblem(std::string_view path, int errorCode) override {
        events_->push_back({0, std::string(path), errorCode});
    }
    bool mayGoOn() override { return !stopping_.load(std::memory_order_relaxed) && !tooBig(); }

private:
    const std::atomic<bool>& stopping_;
    std::vector<AheadResult::Event>* events_ = nullptr;
    std::int64_t pairDone_ = 0;
};

} // namespace

AheadComparer::AheadComparer(FileAccessMaker makeFiles) : makeFiles_(std::move(makeFiles)) {}

AheadComparer::~AheadComparer() {
    {
        std::unique_lock lock(mutex_);
        dropFront(jobs_.size(), lock);
        dropListing(lock);
        quit_ = true;
        signal_.quit();
    }
    if (thread_.joinable()) {
        thread_.join();
    }
}

void AheadComparer::schedule(std::string firstPath, std::string secondPath, bool fast,
                             std::optional<std::int64_t> listedSize) {
    std::unique_lock lock(mutex_);
    if (jobs_.size() >= kScheduled) {
        return;
    }
    auto job = std::make_unique<Job>();
    job->firstPath = std::move(firstPath);
    job->secondPath = std::move(secondPath);
    job->fast = fast;
    job->listedSize = listedSize;
    job->number = ++scheduled_;
    // Made here, where it is freed: memory one thread takes and another gives back costs more.
    job->result.events.reserve(4);
    if (!started()) {
        return;
    }
    jobs_.push_back(std::move(job));
    // A burst of pairs wakes the thread at once: it has the far end of them to do.
    if (jobs_.size() <= kWindow) {
        signal_.wake(jobs_.size() == 2);
    }
}

bool AheadComparer::started() {
    if (!thread_.joinable() && !refused_) {
        auto thread = startThread([this] { run(); });
        refused_ = !thread;
        if (thread) {
            thread_ = std::move(*thread);
        }
    }
    return !refused_;
}

std::optional<AheadResult> AheadComparer::take(const std::string& firstPath,
                                               const std::function<bool()>& mayGoOn) {
    std::unique_lock lock(mutex_);
    std::size_t i = 0;
    while (i < jobs_.size() && jobs_[i]->firstPath != firstPath) {
        ++i;
    }
    if (i == jobs_.size()) {
        return std::nullopt;
    }
    dropFront(i, lock);
    auto& job = *jobs_.front();
    if (job.stage == Stage::Waiting) {
        // Not begun: the caller compares it, and the thread never sees it again.
        dropFront(1, lock);
        return std::nullopt;
    }
    const auto number = job.number;
    const auto done = [&job] { return job.stage == Stage::Done; };
    while (!signal_.waitFor(lock, kPollInterval, done)) {
        // Asked with the lock let go: the window answers events meanwhile, a stop among them.
        lock.unlock();
        const bool goOn = !mayGoOn || mayGoOn();
        lock.lock();
        if (jobs_.empty() || jobs_.front()->number != number) {
            return std::nullopt; // dropped by a stop meanwhile
        }
        if (!goOn) {
            // The thread stops at its next block; what it did is not wanted.
            stopping_ = true;
            signal_.waitFor(lock, done);
            stopping_ = false;
            job.abandoned = true;
        }
    }
    std::optional<AheadResult> result;
    if (!job.abandoned) {
        result = std::move(job.result);
    }
    dropFront(1, lock);
    // Room in the window for one more pair.
    signal_.wake(false);
    return result;
}

void AheadComparer::stop() {
    std::unique_lock lock(mutex_);
    stopping_ = true;
    dropFront(jobs_.size(), lock);
    dropListing(lock);
    stopping_ = false;
    // What the thread keeps open must not keep a disk from being unmounted between runs: it is
    // let go before this returns.
    forget_ = true;
    signal_.wake(true);
    if (thread_.joinable()) {
        signal_.waitFor(lock, [this] { return !forget_; });
    }
}

void AheadComparer::willList(std::string path) {
    std::unique_lock lock(mutex_);
    if (listing_ && listing_->stage == Stage::Comparing) {
        return;
    }
    if (!started()) {
        return;
    }
    listing_ = std::make_unique<ListingJob>();
    listing_->path = std::move(path);
    signal_.wake(true);
}

std::optional<AheadListing> AheadComparer::takeListing(const std::string& path) {
    std::unique_lock lock(mutex_);
    if (!listing_ || listing_->path != path) {
        return std::nullopt;
    }
    if (listing_->stage == Stage::Comparing) {
        signal_.waitFor(lock, [this] { return listing_->stage == Stage::Done; });
    }
    std::optional<AheadListing> result;
    if (listing_->stage == Stage::Done && !listing_->abandoned) {
        result = std::move(listing_->result);
    }
    listing_.reset();
    return result;
}

void AheadComparer::dropListing(std::unique_lock<std::mutex>& lock) {
    if (listing_ && listing_->stage == Stage::Comparing) {
        signal_.waitFor(lock, [this] { return listing_->stage != Stage::Comparing; });
    }
    listing_.reset();
}

void AheadComparer::list(FileAccess& files, std::unique_lock<std::mutex>& lock) {
    auto& job = *listing_;
    job.stage = Stage::Comparing;
    lock.unlock();
    try {
        const auto listedAt = realTimeNow();
        // The look comes first: a change after it shows in the run's own look.
        job.result.look = files.lookAtDirectory(job.path);
        job.result.listedAt = listedAt;
        job.result.listing = files.listDirectory(job.path);
    } catch (const std::bad_alloc&) {
        job.abandoned = true; // the run's thread lists it itself
    }
    lock.lock();
    job.stage = Stage::Done;
    signal_.done();
}

void AheadComparer::waitUntilIdle() {
    std::unique_lock lock(mutex_);
    if (!thread_.joinable()) {
        return;
    }
    signal_.waitUntilIdle(lock);
}

bool AheadComparer::awaitChange(std::unique_lock<std::mutex>& lock) {
    const auto seen = signal_.changes();
    lock.unlock();
    const auto until = std::chrono::steady_clock::now() + kSpinTime;
    bool changed = false;
    while (!changed && std::chrono::steady_clock::now() < until) {
        for (int i = 0; i < 64 && !changed; ++i) {
#if defined(__x86_64__) || defined(__i386__)
            __builtin_ia32_pause();
#endif
            changed = signal_.changes() != seen;
        }
    }
    lock.lock();
    // A change made while the lock was being taken back counts too: its wake-up found the
    // thread awake and woke nothing.
    return signal_.changes() != seen;
}

void AheadComparer::dropFront(std::size_t count, std::unique_lock<std::mutex>& lock) {
    for (std::size_t k = 0; k < count; ++k) {
        auto& job = *jobs_.front();
        if (job.stage == Stage::Comparing) {
            signal_.waitFor(lock, [&job] { return job.stage != Stage::Comparing; });
        }
        jobs_.pop_front();
    }
}

AheadComparer::Job* AheadComparer::nextJob() {
    if (refused_) {
        return nullptr;
    }
    const auto end = std::min(jobs_.size(), kWindow);
    // The run's thread takes pairs from the front; it must not find the one it needs begun here.
    for (std::size_t i = end; i > 1; --i) {
        auto& job = *jobs_[i - 1];
        if (job.stage == Stage::Waiting) {
            return &job;
        }
    }
    return nullptr;
}

void AheadComparer::run() {
    useOwnDescriptorTable();
    // The thread's own, as its descriptors are.
    std::unique_ptr<FileAccess> files;
    std::unique_ptr<CompareBuffers> buffers;
    RunState state;
    EventLog log(stopping_);
    std::unique_ptr<PairComparer> comparer;
    try {
        files = makeFiles_();
        buffers = std::make_unique<CompareBuffers>();
        comparer = std::make_unique<PairComparer>(state, log, *files, *buffers);
    } catch (const std::bad_alloc&) {
        comparer.reset();
    }

    std::unique_lock lock(mutex_);
    if (!comparer) {
        // Without what it needs the thread takes no work; the run's thread does it all.
        refused_ = true;
        signal_.done();
    }
    while (!quit_) {
        if (forget_) {
            if (files) {
                files->forgetCaches();
            }
            forget_ = false;
            signal_.done();
        }
        Job* job = nextJob();
        if (job == nullptr && !refused_ && listing_ && listing_->stage == Stage::Waiting) {
            list(*files, lock);
            continue;
        }
        if (job == nullptr && (awaitChange(lock) || quit_)) {
            continue;
        }
        if (job == nullptr) {
            signal_.sleep(lock, quit_);
            continue;
        }
        job->stage = Stage::Comparing;
        // The job is left alone while it is compared, its paths included.
        lock.unlock();
        state.abortRequested = false;
        state.options.fast = job->fast;
        state.progress.currentFileSize = job->listedSize.value_or(0);
        auto& result = job->result;
        log.begin(result.events);
        DirectoryEntry listed;
        const auto slash = job->firstPath.rfind('/');
        listed.name =
            std::string_view(job->firstPath).substr(slash == std::string::npos ? 0 : slash + 1);
        listed.size = job->listedSize.value_or(0);
        try {
            result.outcome = comparer->compareOnce(job->firstPath, job->secondPath,
                                                   job->listedSize ? &listed : nullptr);
            // A pair grown past a block since it was listed is read as a big pair, in its turn.
            job->abandoned = log.tooBig();
        } catch (const std::bad_alloc&) {
            job->abandoned = true; // what the thread cannot do, the run's thread does
        }
        lock.lock();
        job->stage = Stage::Done;
        signal_.done();
    }
    lock.unlock();
}

} // namespace quorvel
