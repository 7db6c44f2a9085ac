#pragma once

#include <cstdint>

namespace quorvel {

// Whether reading ahead pays. It only pays when the data is not cached yet: the first read of
// each listed file asks without waiting, and two files in a row that are not in memory turn
// reading ahead on. (The kernel also declines a cached page marked to read on ahead from: a file
// declined whose start is in memory is no miss.) Many files in a row found in memory before they
// are fetched turn it off again: a few files the system dropped from a cached tree must not slow
// the rest of the run.
class ReadAheadSwitch {
public:
    enum class Mode { WhenNotCached, Always };
    explicit ReadAheadSwitch(Mode mode) : mode_(mode), on_(mode == Mode::Always) {}

    bool on() const { return on_; }
    Mode mode() const { return mode_; }
    // A new run: what the files were like before says nothing now.
    void reset();

    // The first read of a file: as ::read, but asks first whether the data is at hand, and
    // learns from the answer.
    std::int64_t firstRead(int fd, char* buffer, std::int64_t size);
    // What a first read declined without waiting learns: a miss unless the file's start is in
    // memory after all.
    void declined(bool startCached);
    // A file about to be fetched ahead: whether its start is in memory already.
    bool cachedBeforeFetch(int fd);

private:
    static constexpr int kCachedToTurnOff = 64;

    Mode mode_;
    bool on_;
    bool canAskWithoutWaiting_ = true;
    int missesInARow_ = 0;
    int cachedInARow_ = 0;
};

} // namespace quorvel
