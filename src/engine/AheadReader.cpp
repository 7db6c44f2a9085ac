#include "engine/AheadReader.h"

#include "engine/AheadStream.h"
#include "engine/ThreadDescriptors.h"
#include "engine/ThreadStart.h"

#include <algorithm>
#include <cerrno>
#include <new>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace quorvel {

namespace {

constexpr std::size_t kBufferAlignment = 4096;

} // namespace

void AheadReader::FreeBuffer::operator()(char* buffer) const {
    ::operator delete[](buffer, std::align_val_t{kBufferAlignment});
}

AheadReader::AheadReader(std::int64_t blockSize, std::shared_ptr<SharedListings> listings)
    : blockSize_(blockSize), listings_(std::move(listings)) {}

AheadReader::~AheadReader() {
    {
        std::unique_lock lock(mutex_);
        dropFront(entries_.size(), lock);
        quit_ = true;
        signal_.quit();
    }
    if (thread_.joinable()) {
        thread_.join();
    }
}

void AheadReader::schedule(std::string path) {
    std::unique_lock lock(mutex_);
    if (entries_.size() >= kScheduled) {
        return;
    }
    if (!thread_.joinable() && !refused_) {
        // Its buffers are had before the thread: with less memory than they take, the files are
        // read in their turn rather than fail part-way.
        refused_ = !allocateBuffers();
        auto thread = refused_ ? std::nullopt : startThread([this] { run(); });
        refused_ = !thread;
        if (thread) {
            thread_ = std::move(*thread);
        }
    }
    if (refused_) {
        return; // without a thread every file is read in its turn
    }
    auto entry = std::make_unique<Entry>();
    entry->path = std::move(path);
    entries_.push_back(std::move(entry));
    // A first file wakes the thread at once: the caller will soon wait for it.
    if (entries_.size() <= kOpenAhead) {
        signal_.wake(entries_.size() == 1);
    }
}

std::shared_ptr<AheadStream> AheadReader::take(const std::string& path) {
    std::unique_lock lock(mutex_);
    std::size_t i = 0;
    while (i < entries_.size() && (entries_[i]->taken || entries_[i]->path != path)) {
        ++i;
    }
    if (i == entries_.size()) {
        return nullptr;
    }
    dropFront(i, lock);
    auto& entry = *entries_.front();
    entry.taken = true;
    if (!entry.opened || entry.busy) {
        signal_.wake(true);
        signal_.waitFor(lock, [&entry] { return entry.opened && !entry.busy; });
    }
    return std::make_shared<AheadStream>(*this, entry);
}

void AheadReader::stop() {
    std::unique_lock lock(mutex_);
    dropFront(entries_.size(), lock);
    // Directories kept open may have been replaced by the next run, and must not keep a disk
    // from being unmounted meanwhile: the thread lets them go, with the files dropped, before
    // this returns.
    forgetDirectories_ = true;
    signal_.wake(true);
    if (thread_.joinable()) {
        signal_.waitFor(lock, [this] { return !forgetDirectories_ && toClose_.empty(); });
    }
}

void AheadReader::waitUntilIdle() {
    std::unique_lock lock(mutex_);
    if (!thread_.joinable()) {
        return;
    }
    signal_.waitUntilIdle(lock);
}

void AheadReader::dropFront(std::size_t count, std::unique_lock<std::mutex>& lock) {
    for (std::size_t k = 0; k < count; ++k) {
        auto& entry = *entries_.front();
        if (entry.busy) {
            signal_.wake(true);
            signal_.waitFor(lock, [&entry] { return !entry.busy; });
        }
        releaseBlocks(entry);
        if (entry.file.descriptor.isOpen()) {
            toClose_.push_back(std::move(entry.file.descriptor));
        }
        entries_.pop_front();
    }
}

void AheadReader::releaseBlocks(Entry& entry) {
    for (const auto& block : entry.blocks) {
        free_.push_back(block.buffer);
    }
    entry.blocks.clear();
}

bool AheadReader::allocateBuffers() {
    try {
        buffers_.reserve(kBuffers);
        free_.reserve(kBuffers);
        while (buffers_.size() < kBuffers) {
            buffers_.emplace_back(static_cast<char*>(::operator new[](
                static_cast<std::size_t>(blockSize_), std::align_val_t{kBufferAlignment})));
            free_.push_back(buffers_.back().get());
        }
        return true;
    } catch (const std::bad_alloc&) {
        free_.clear();
        buffers_.clear();
        return false;
    }
}

char* AheadReader::takeBuffer() {
    auto* buffer = free_.back();
    free_.pop_back();
    return buffer;
}

AheadReader::Work AheadReader::nextWork(Entry*& entry) {
    if (entries_.empty()) {
        return Work::None;
    }
    // The file in hand first: its comparison may be waiting for it.
    auto& head = *entries_.front();
    if (head.taken && !head.busy) {
        entry = &head;
        if (!head.opened) {
            return Work::Open;
        }
        if (!head.ended && head.blocks.size() < kStreamAhead && buffersFree() > 0) {
            return Work::Read;
        }
    }
    const auto limit = std::min(entries_.size(), kOpenAhead);
    for (std::size_t i = 0; i < limit; ++i) {
        auto& next = *entries_[i];
        if (next.busy || next.taken) {
            continue;
        }
        entry = &next;
        if (!next.opened) {
            return Work::Open;
        }
        if (next.blocksRead == 0 && !next.ended && buffersFree() > kStreamAhead) {
            return Work::Read;
        }
    }
    return Work::None;
}

void AheadReader::run() {
    useOwnDescriptorTable();
    // The thread's own, as its descriptors are.
    FileOpener opener(listings_);
    std::unique_lock lock(mutex_);
    for (;;) {
        if (!toClose_.empty()) {
            auto closing = std::move(toClose_);
            toClose_.clear();
            lock.unlock();
            closing.clear();
            lock.lock();
            continue;
        }
        if (quit_) {
            break;
        }
        if (forgetDirectories_) {
            opener.forget();
            forgetDirectories_ = false;
            signal_.done();
        }
        Entry* entry = nullptr;
        const auto work = nextWork(entry);
        if (work == Work::None) {
            signal_.sleep(lock, quit_);
            continue;
        }
        entry->busy = true;
        if (work == Work::Open) {
            // The entry is left alone while it is busy, its path included.
            const std::string& path = entry->path;
            lock.unlock();
            FileLook look;
            OpenedFile file;
            try {
                file = opener.open(path, false, &look);
            } catch (const std::bad_alloc&) {
                file = OpenedFile{}; // not opened here: the comparison opens it itself
            }
            lock.lock();
            entry->file = std::move(file);
            entry->look = look;
            entry->opened = true;
            entry->ended = !entry->file.isOpen();
        } else {
            readNextBlock(*entry, takeBuffer(), lock);
        }
        entry->busy = false;
        signal_.done();
    }
}

void AheadReader::readNextBlock(Entry& entry, char* buffer, std::unique_lock<std::mutex>& lock) {
    const int fd = entry.file.descriptor.get();
    lock.unlock();
    BlockRead read;
    while (read.count < blockSize_) {
        const auto want = blockSize_ - read.count;
        const auto n = ::read(fd, buffer + read.count, static_cast<std::size_t>(want));
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            read = {-1, errno};
            break;
        }
        read.count += n;
        // A regular file gives less than asked only at its end.
        if (n < want) {
            break;
        }
    }
    const bool ended = read.count < blockSize_;
    std::optional<FileLook> atEnd;
    struct stat st {};
    if (ended && read.count >= 0 && ::fstat(fd, &st) == 0) {
        atEnd = lookOf(st);
    }
    lock.lock();
    entry.blocks.push_back({buffer, read});
    ++entry.blocksRead;
    entry.ended = ended;
    entry.lookAtEnd = atEnd;
}

AheadReader::Block AheadReader::nextBlock(Entry& entry, char* previous) {
    std::unique_lock lock(mutex_);
    if (previous != nullptr) {
        free_.push_back(previous);
    }
    if (entry.blocks.empty() && !entry.ended) {
        signal_.wake(true);
        signal_.waitFor(lock, [&entry] { return !entry.blocks.empty() || entry.ended; });
    }
    if (entry.blocks.empty()) {
        return {};
    }
    const auto block = entry.blocks.front();
    entry.blocks.pop_front();
    // Half the blocks ahead are used: the thread reads on before the comparison catches up.
    if (entry.blocks.size() <= kStreamAhead / 2) {
        signal_.wake(true);
    }
    return block;
}

void AheadReader::release(Entry& entry, char* current) {
    std::unique_lock lock(mutex_);
    if (current != nullptr) {
        free_.push_back(current);
    }
    const auto at = std::find_if(entries_.begin(), entries_.end(),
                                 [&entry](const auto& e) { return e.get() == &entry; });
    if (at != entries_.end()) {
        // Taken entries are at the front: those before it were dropped when it was taken.
        dropFront(static_cast<std::size_t>(at - entries_.begin()) + 1, lock);
    }
    // Room for one more file ahead.
    signal_.wake(false);
}

} // namespace quorvel
