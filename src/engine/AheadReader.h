#pragma once

#include "engine/FileAccess.h"
#include "engine/FileOpener.h"
#include "engine/WorkerSignal.h"

#include <cstddef>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace quorvel {

class AheadStream;

// Reads the files of one side of a run on a thread of its own, ahead of their comparison: it
// opens the next files named, reads their first blocks and, for the file in hand, the blocks
// after the one being compared. The thread only reads; what it read is handed over whole.
// Bounded: at most kOpenAhead files open and kBuffers blocks in memory.
class AheadReader {
public:
    static constexpr std::size_t kScheduled = 256;
    static constexpr std::size_t kOpenAhead = 32;
    static constexpr std::size_t kBuffers = 24;
    // Blocks of the file in hand read ahead of its comparison; kept free for it, so the first
    // blocks of later files never starve it.
    static constexpr std::size_t kStreamAhead = 8;

    // `listings` lends directory listings to and from the run's other threads.
    explicit AheadReader(std::int64_t blockSize,
                         std::shared_ptr<SharedListings> listings = nullptr);
    ~AheadReader();
    AheadReader(const AheadReader&) = delete;
    AheadReader& operator=(const AheadReader&) = delete;

    // A file to read soon, in the order they will be asked for. Ignored when too many are
    // waiting.
    void schedule(std::string path);
    // The file scheduled under `path`, once the thread opened it or found it could not; the files
    // scheduled before it are dropped. Nothing when it is not scheduled.
    std::shared_ptr<AheadStream> take(const std::string& path);
    // Drops everything scheduled; no read starts after this returns.
    void stop();
    // Waits until the thread has done all it may do for now; for tests.
    void waitUntilIdle();

private:
    friend class AheadStream;

    struct Block {
        char* buffer = nullptr;
        BlockRead read;
    };
    struct Entry {
        std::string path;
        bool opened = false; // tried: `file` is open, or says why not
        bool busy = false;   // the thread works on it with the lock let go
        bool taken = false;
        bool ended = false; // its last block is read
        std::size_t blocksRead = 0;
        OpenedFile file;
        FileLook look;
        std::optional<FileLook> lookAtEnd;
        std::deque<Block> blocks;
    };
    enum class Work { None, Open, Read };

    void run();
    // What the thread does next, with the lock held.
    Work nextWork(Entry*& entry);
    std::size_t buffersFree() const { return free_.size(); }
    void readNextBlock(Entry& entry, char* buffer, std::unique_lock<std::mutex>& lock);
    // Drops the first `count` entries, with the lock held; their descriptors go to the thread.
    void dropFront(std::size_t count, std::unique_lock<std::mutex>& lock);
    void releaseBlocks(Entry& entry);
    // All of them at once, or none; false when the memory is not there.
    bool allocateBuffers();
    char* takeBuffer();

    // Called by the stream.
    Block nextBlock(Entry& entry, char* previous);
    void release(Entry& entry, char* current);

    const std::int64_t blockSize_;
    const std::shared_ptr<SharedListings> listings_;
    std::mutex mutex_;
    WorkerSignal signal_;
    std::deque<std::unique_ptr<Entry>> entries_;
    struct FreeBuffer {
        void operator()(char* buffer) const;
    };
    std::vector<std::unique_ptr<char, FreeBuffer>> buffers_;
    std::vector<char*> free_;
    std::vector<FileDescriptor> toClose_;
    bool forgetDirectories_ = false;
    bool quit_ = false;
    bool refused_ = false; // the system gave no thread
    std::thread thread_;
};

} // namespace quorvel
