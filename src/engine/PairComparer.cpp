#include "engine/PairComparer.h"

#include "engine/BlockCompare.h"
#include "engine/CompareBuffers.h"
#include "engine/FileAccess.h"
#include "engine/RunState.h"
#include "engine/RunView.h"

#include <algorithm>

namespace quorvel {

namespace {

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

void PairComparer::noteProblem(const std::string& path, const FileProblem& problem, bool second) {
    // A file missing on the right is a plain difference; one that is no regular file has no
    // reason to tell.
    if (problem.errorCode != 0 && !(second && problem.missing)) {
        view_.noteReadProblem(path, problem.errorCode);
    }
}

CompareResult PairComparer::compareSizes(const std::string& firstPath,
                                         const std::string& secondPath) {
    const auto first = files_.lookUpFile(firstPath);
    const auto second = files_.lookUpFile(secondPath);
    reportProgress(-1);
    if (!first.size) {
        noteProblem(firstPath, first.problem, false);
        return CompareResult::ErrorReading1st;
    }
    if (!second.size) {
        noteProblem(secondPath, second.problem, true);
        return CompareResult::NotFoundIn2nd;
    }
    return *first.size == *second.size ? CompareResult::EqualMaybe : CompareResult::DifferentSize;
}

CompareResult PairComparer::compareBytes(const std::string& firstPath,
                                         const std::string& secondPath, char* firstBuffer,
                                         char* secondBuffer, const DirectoryEntry* firstListed) {
    auto first = files_.openFile(firstPath, firstListed);
    if (!first.isOpen()) {
        reportProgress(-1);
        noteProblem(firstPath, first.problem, false);
        return CompareResult::ErrorReading1st;
    }
    auto second = files_.openFile(secondPath, nullptr);
    if (!second.isOpen()) {
        reportProgress(-1);
        noteProblem(secondPath, second.problem, true);
        return CompareResult::NotFoundIn2nd;
    }
    if (first.sameFileAs(second)) {
        reportProgress(-1);
        return CompareResult::Equal;
    }

    constexpr auto block = CompareBuffers::kBlockSize;
    BlockRead firstRead;
    BlockRead secondRead;
    bool passEqual;
    do {
        firstRead = files_.readBlock(first, firstBuffer, block);
        secondRead = files_.readBlock(second, secondBuffer, block);
        const auto common = std::min(firstRead.count, secondRead.count);
        passEqual = blocksEqual(firstBuffer, secondBuffer, common);
        reportProgress(common);
        view_.processEvents();
    } while (passEqual && firstRead.count == block && secondRead.count == block &&
             !state_.abortRequested);

    if (state_.abortRequested) {
        return CompareResult::Interrupted;
    }
    // A failed read is not a short file: say which side could not be read.
    if (firstRead.count < 0) {
        view_.noteReadProblem(firstPath, firstRead.errorCode);
        return CompareResult::ErrorReading1st;
    }
    if (secondRead.count < 0) {
        view_.noteReadProblem(secondPath, secondRead.errorCode);
        return CompareResult::NotFoundIn2nd;
    }
    if (!passEqual) {
        return CompareResult::DifferentContents;
    }
    if (secondRead.count > firstRead.count) {
        return CompareResult::FirstTruncated;
    }
    if (secondRead.count < firstRead.count) {
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
