#pragma once

#include "engine/CompareResult.h"
#include "engine/FileAccess.h"

#include <cstdint>
#include <string>

namespace quorvel {

class CompareBuffers;
class RunView;
struct RunState;

// Decides the outcome of one file pair and keeps the pair's progress.
class PairComparer {
public:
    PairComparer(RunState& state, RunView& view, FileAccess& files, CompareBuffers& buffers);

    // Repeats a comparison that found different contents once; callers use only this.
    // `firstListed` is the first file's entry when the caller has just listed it.
    CompareResult comparePair(const std::string& firstPath, const std::string& secondPath,
                              const DirectoryEntry* firstListed = nullptr);

    CompareResult compareFilePair(const std::string& firstPath, const std::string& secondPath,
                                  char* firstBuffer, char* secondBuffer, bool fast,
                                  const DirectoryEntry* firstListed = nullptr);

    // A count of zero or more adds to the pair in hand; a negative count marks it fully done.
    void reportProgress(std::int64_t count);
    // Tells the view why a file of the pair could not be looked at or opened, when that is worth
    // telling; `second` for the file on the right.
    void noteProblem(const std::string& path, const FileProblem& problem, bool second);

private:
    CompareResult compareSizes(const std::string& firstPath, const std::string& secondPath);
    CompareResult compareBytes(const std::string& firstPath, const std::string& secondPath,
                               char* firstBuffer, char* secondBuffer,
                               const DirectoryEntry* firstListed);

    RunState& state_;
    RunView& view_;
    FileAccess& files_;
    CompareBuffers& buffers_;
};

} // namespace quorvel
