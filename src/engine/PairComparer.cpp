#include "engine/PairComparer.h"

#include "engine/BlockCompare.h"
#include "engine/CompareBuffers.h"
#include "engine/FileAccess.h"
#include "engine/RunState.h"
#include "engine/RunView.h"

#include <algorithm>

namespace quorvel {

namespace {

// Closes a handle on every way out of the comparison.
class OpenFile {
public:
    OpenFile(FileAccess& files, int handle) : files_(files), handle_(handle) {}
    ~OpenFile() {
        if (handle_ >= 0) {
            files_.closeFile(handle_);
        }
    }
    OpenFile(const OpenFile&) = delete;
    OpenFile& operator=(const OpenFile&) = delete;
    bool isOpen() const { return handle_ >= 0; }
    int handle() const { return handle_; }

private:
    FileAccess& files_;
    int handle_;
};

// A file that grew since it was listed must not show more than all of it done.
int truncatedPercent(double done, double total) {
    return static_cast<int>(std::clamp(done * 100.0 / (total > 0 ? total : 1.0), 0.0, 100.0));
}

} // namespace

PairComparer::PairComparer(RunState& state, RunView& view, FileAccess& files,
                           CompareBuffers& buffers)
    : state_(state), view_(view), files_(files), buffers_(buffers) {}

CompareResult PairComparer::comparePair(const std::string& firstPath, const std::string& secondPath,
                                        const DirectoryEntry* firstListed) {
    state_.progress.currentFileDone = 0;
    auto result = compareFilePair(firstPath, secondPath, buffers_.first(), buffers_.second(),
                                  state_.options.fast, firstListed);
    if (result == CompareResult::DifferentContents) {
        state_.progress.currentFileDone = 0;
        result = compareFilePair(firstPath, secondPath, buffers_.first(), buffers_.second(),
                                 state_.options.fast, firstListed);
    }
    return result;
}

CompareResult PairComparer::compareFilePair(const std::string& firstPath,
                                            const std::string& secondPath, char* firstBuffer,
                                            char* secondBuffer, bool fast,
                                            const DirectoryEntry* firstListed) {
    view_.processEvents();
    return fast ? compareSizes(firstPath, secondPath)
                : compareBytes(firstPath, secondPath, firstBuffer, secondBuffer, firstListed);
}

CompareResult PairComparer::compareSizes(const std::string& firstPath,
                                         const std::string& secondPath) {
    const auto firstSize = files_.lookUpFile(firstPath);
    const auto secondSize = files_.lookUpFile(secondPath);
    reportProgress(-1);
    if (!firstSize) {
        return CompareResult::ErrorReading1st;
    }
    if (!secondSize) {
        return CompareResult::NotFoundIn2nd;
    }
    return *firstSize == *secondSize ? CompareResult::EqualMaybe : CompareResult::DifferentSize;
}

CompareResult PairComparer::compareBytes(const std::string& firstPath,
                                         const std::string& secondPath, char* firstBuffer,
                                         char* secondBuffer, const DirectoryEntry* firstListed) {
    OpenFile first(files_, files_.openFile(firstPath, firstListed));
    if (!first.isOpen()) {
        reportProgress(-1);
        return CompareResult::ErrorReading1st;
    }
    OpenFile second(files_, files_.openFile(secondPath, nullptr));
    if (!second.isOpen()) {
        reportProgress(-1);
        return CompareResult::NotFoundIn2nd;
    }
    if (files_.sameFile(first.handle(), second.handle())) {
        reportProgress(-1);
        return CompareResult::Equal;
    }

    constexpr auto block = CompareBuffers::kBlockSize;
    std::int64_t firstCount;
    std::int64_t secondCount;
    bool passEqual;
    do {
        firstCount = files_.readBlock(first.handle(), firstBuffer, block);
        secondCount = files_.readBlock(second.handle(), secondBuffer, block);
        const auto common = std::min(firstCount, secondCount);
        passEqual = blocksEqual(firstBuffer, secondBuffer, common);
        reportProgress(common);
        view_.processEvents();
    } while (passEqual && firstCount == block && secondCount == block && !state_.abortRequested);

    if (state_.abortRequested) {
        return CompareResult::Interrupted;
    }
    // A failed read is not a short file: say which side could not be read.
    if (firstCount < 0) {
        return CompareResult::ErrorReading1st;
    }
    if (secondCount < 0) {
        return CompareResult::NotFoundIn2nd;
    }
    if (!passEqual) {
        return CompareResult::DifferentContents;
    }
    if (secondCount > firstCount) {
        return CompareResult::FirstTruncated;
    }
    if (secondCount < firstCount) {
        return CompareResult::SecondTruncated;
    }
    return CompareResult::Equal;
}

void PairComparer::reportProgress(std::int64_t count) {
    auto& progress = state_.progress;
    if (count < 0) {
        progress.currentFileDone = progress.currentFileSize;
    } else {
        progress.currentFileDone += count;
    }
    if (count >= 0 && view_.showsStatusTexts()) {
        const auto percent = truncatedPercent(static_cast<double>(progress.currentFileDone),
                                              static_cast<double>(progress.currentFileSize));
        view_.setFileStatus(progress.currentFileName + "  " + std::to_string(percent) + "%");
    }
    if (view_.progressVisible()) {
        const auto done =
            static_cast<double>(progress.currentFileDone) + state_.counters.bytesCompared;
        view_.setProgress(truncatedPercent(done, progress.grandTotal));
    }
}

} // namespace quorvel
