#pragma once

#include "engine/AheadListing.h"
#include "engine/FileAccess.h"
#include "engine/PairRecord.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

namespace quorvel {

class AheadComparer;
struct AheadResult;
class CompareBuffers;
class RunObserver;
struct RunState;

// Decides the outcome of one file pair and keeps the pair's progress.
class PairComparer {
public:
    // `compareAhead` lets another thread compare the pairs named ahead, where the file access
    // can serve one.
    PairComparer(RunState& state, RunObserver& observer, FileAccess& files, CompareBuffers& buffers,
                 bool compareAhead = false);
    ~PairComparer();

    // A small pair that will soon be compared; `listedSize` when a listing just found the first
    // file to be a regular file of that size.
    void willCompare(std::string firstPath, std::string secondPath,
                     std::optional<std::int64_t> listedSize);
    // The directory the run lists next, to be listed on another thread meanwhile.
    void willList(std::string path);
    // That listing, when another thread made it.
    std::optional<AheadListing> takeListing(const std::string& path);
    // The run stops: nothing more is read ahead.
    void stopAhead();

    // Repeats a comparison that found different contents once; callers use only this.
    // `firstListed` is the first file's entry when the caller has just listed it.
    PairRecord comparePair(const std::string& firstPath, const std::string& secondPath,
                           const DirectoryEntry* firstListed = nullptr);

    // One comparison, without the second attempt.
    PairRecord compareOnce(const std::string& firstPath, const std::string& secondPath,
                           const DirectoryEntry* firstListed);

    CompareResult compareFilePair(const std::string& firstPath, const std::string& secondPath,
                                  char* firstBuffer, char* secondBuffer, bool fast,
                                  const DirectoryEntry* firstListed = nullptr);

    // A count of zero or more adds to the pair in hand; a negative count marks it fully done.
    void reportProgress(std::int64_t count);
    // Tells the observer why a file of the pair could not be looked at or opened, when that is
    // worth telling; `second` for the file on the right.
    void noteProblem(const std::string& path, const FileProblem& problem, bool second);

private:
    // Tells again what a comparison on another thread told, as if made here.
    CompareResult replay(const AheadResult& ahead);
    CompareResult compareSizes(const std::string& firstPath, const std::string& secondPath);
    CompareResult compareBytes(const std::string& firstPath, const std::string& secondPath,
                               char* firstBuffer, char* secondBuffer,
                               const DirectoryEntry* firstListed);

    // The result of a pair whose file on `side` moved while it was read.
    CompareResult changedWhileRead(int side);
    // Tells a read that failed, and keeps its reason for the pair's outcome.
    void noteFailure(const std::string& path, int errorCode);

    RunState& state_;
    RunObserver& observer_;
    PairRecord outcome_;
    FileAccess& files_;
    CompareBuffers& buffers_;
    std::unique_ptr<AheadComparer> ahead_;
};

} // namespace quorvel
