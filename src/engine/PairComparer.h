#pragma once

#include "CompareResult.h"

#include <cstdint>
#include <string>

namespace quorvel {

class CompareBuffers;
class FileAccess;
class RunView;
struct RunState;

// Decides the outcome of one file pair and keeps the pair's progress.
class PairComparer {
public:
    PairComparer(RunState& state, RunView& view, FileAccess& files, CompareBuffers& buffers);

    // Repeats a comparison that found different contents once; callers use only this.
    CompareResult comparePair(const std::string& firstPath, const std::string& secondPath);

    CompareResult compareFilePair(const std::string& firstPath, const std::string& secondPath,
                                  char* firstBuffer, char* secondBuffer, bool fast);

    // A count of zero or more adds to the pair in hand; a negative count marks it fully done.
    void reportProgress(std::int64_t count);

private:
    CompareResult compareSizes(const std::string& firstPath, const std::string& secondPath);
    CompareResult compareBytes(const std::string& firstPath, const std::string& secondPath,
                               char* firstBuffer, char* secondBuffer);

    RunState& state_;
    RunView& view_;
    FileAccess& files_;
    CompareBuffers& buffers_;
};

} // namespace quorvel
