#include "engine/PairComparer.h"

#include "engine/AheadComparer.h"
#include "engine/BlockCompare.h"
#include "engine/CompareBuffers.h"
#include "engine/FileAccess.h"
#include "engine/PairRecord.h"
#include "engine/RunObserver.h"
#include "engine/RunState.h"

#include <algorithm>

namespace quorvel {

namespace {

std::optional<std::int64_t> knownSize(std::int64_t size) {
    return size >= 0 ? std::optional<std::int64_t>(size) : std::nullopt;
}

} // namespace

PairComparer::PairComparer(RunState& state, RunObserver& observer, FileAccess& files,
                           CompareBuffers& buffers, bool compareAhead)
    : state_(state), observer_(observer), files_(files), buffers_(buffers) {
    if (compareAhead && files.forAnotherThread()) {
        ahead_ = std::make_unique<AheadComparer>([&files] { return files.forAnotherThread(); });
    }
}

PairComparer::~PairComparer() = default;

void PairComparer::willCompare(std::string firstPath, std::string secondPath,
                               std::optional<std::int64_t> listedSize) {
    if (ahead_) {
        ahead_->schedule(std::move(firstPath), std::move(secondPath), state_.options.fast,
                         listedSize);
    }
}

void PairComparer::willList(std::string path) {
    if (ahead_) {
        ahead_->willList(std::move(path));
    }
}

std::optional<AheadListing> PairComparer::takeListing(const std::string& path) {
    return ahead_ ? ahead_->takeListing(path) : std::nullopt;
}

void PairComparer::stopAhead() {
    if (ahead_) {
        ahead_->stop();
    }
    files_.stopReadingAhead();
}

PairRecord PairComparer::compareOnce(const std::string& firstPath, const std::string& secondPath,
                                     const DirectoryEntry* firstListed) {
    outcome_ = PairRecord{};
    state_.progress.currentFileDone = 0;
    outcome_.result = compareFilePair(firstPath, secondPath, buffers_.first(), buffers_.second(),
                                      state_.options.fast, firstListed);
    return outcome_;
}

CompareResult PairComparer::replay(const AheadResult& ahead) {
    pollAbort(observer_, state_);
    outcome_ = ahead.outcome;
    bool blocks = false;
    for (const auto& event : ahead.events) {
        if (!event.problemPath.empty()) {
            observer_.readProblem(event.problemPath, event.errorCode);
            continue;
        }
        reportProgress(event.progress);
        if (event.progress >= 0) {
            blocks = true;
            pollAbort(observer_, state_);
        }
    }
    // As a comparison here would, one that read blocks ends at an abort seen meanwhile.
    if (state_.abortRequested) {
        stopAhead();
        if (blocks) {
            return CompareResult::Interrupted;
        }
    }
    return ahead.outcome.result;
}

PairRecord PairComparer::comparePair(const std::string& firstPath, const std::string& secondPath,
                                     const DirectoryEntry* firstListed) {
    outcome_ = PairRecord{};
    state_.progress.currentFileDone = 0;
    std::optional<AheadResult> ahead;
    if (ahead_) {
        ahead = ahead_->take(firstPath, [this] {
            pollAbort(observer_, state_);
            return !state_.abortRequested;
        });
    }
    auto result = ahead ? replay(*ahead)
                        : compareFilePair(firstPath, secondPath, buffers_.first(),
                                          buffers_.second(), state_.options.fast, firstListed);
    // A difference is looked at twice before it is told, and a file that moved while it was read
    // is read once more from the start.
    if (result == CompareResult::DifferentContents || outcome_.changedSide != 0) {
        state_.progress.currentFileDone = 0;
        outcome_ = PairRecord{};
        result = compareFilePair(firstPath, secondPath, buffers_.first(), buffers_.second(),
                                 state_.options.fast, firstListed);
    }
    if (outcome_.changedSide != 0) {
        observer_.readProblem(outcome_.changedSide == 1 ? firstPath : secondPath,
                              kChangedWhileRead);
    }
    outcome_.result = result;
    return outcome_;
}

CompareResult PairComparer::compareFilePair(const std::string& firstPath,
                                            const std::string& secondPath, char* firstBuffer,
                                            char* secondBuffer, bool fast,
                                            const DirectoryEntry* firstListed) {
    pollAbort(observer_, state_);
    if (state_.abortRequested) {
        stopAhead();
    }
    return fast ? compareSizes(firstPath, secondPath)
                : compareBytes(firstPath, secondPath, firstBuffer, secondBuffer, firstListed);
}

void PairComparer::noteProblem(const std::string& path, const FileProblem& problem, bool second) {
    // A file missing on the right is a plain difference, and one that is no regular file a
    // difference of kind: neither failed to be read, but the kind is worth a word in the facts.
    if (second && problem.missing) {
        outcome_.errorCode = 0;
    } else if (problem.errorCode == 0) {
        outcome_.errorCode = kNotARegularFile;
    } else {
        outcome_.errorCode = problem.errorCode;
        observer_.readProblem(path, problem.errorCode);
    }
}

void PairComparer::noteFailure(const std::string& path, int errorCode) {
    outcome_.errorCode = errorCode;
    observer_.readProblem(path, errorCode);
}

CompareResult PairComparer::compareSizes(const std::string& firstPath,
                                         const std::string& secondPath) {
    const auto first = files_.lookUpFile(firstPath);
    const auto second = files_.lookUpFile(secondPath);
    outcome_.leftSize = first.size;
    outcome_.rightSize = second.size;
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
    outcome_.leftSize = knownSize(first.sizeWhenOpened);
    auto second = files_.openFile(secondPath, nullptr);
    if (!second.isOpen()) {
        reportProgress(-1);
        noteProblem(secondPath, second.problem, true);
        return CompareResult::NotFoundIn2nd;
    }
    outcome_.rightSize = knownSize(second.sizeWhenOpened);
    if (first.sameFileAs(second)) {
        reportProgress(-1);
        return CompareResult::Equal;
    }

    constexpr auto block = CompareBuffers::kBlockSize;
    BlockRead firstRead;
    BlockRead secondRead;
    bool passEqual;
    do {
        const char* firstBytes = files_.readBlockAt(first, firstBuffer, block, firstRead);
        const char* secondBytes = files_.readBlockAt(second, secondBuffer, block, secondRead);
        const auto common = std::min(firstRead.count, secondRead.count);
        passEqual = blocksEqual(firstBytes, secondBytes, common);
        reportProgress(common);
        pollAbort(observer_, state_);
    } while (passEqual && firstRead.count == block && secondRead.count == block &&
             !state_.abortRequested);

    if (state_.abortRequested) {
        stopAhead();
        return CompareResult::Interrupted;
    }
    // A failed read is not a short file: say which side could not be read.
    if (firstRead.count < 0) {
        noteFailure(firstPath, firstRead.errorCode);
        return CompareResult::ErrorReading1st;
    }
    if (secondRead.count < 0) {
        noteFailure(secondPath, secondRead.errorCode);
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
    // Equal bytes vouch for the pair only when neither file moved while it was read: a writer
    // may have changed the start after it was read and the end before.
    if (files_.changedSinceOpened(first)) {
        return changedWhileRead(1);
    }
    if (files_.changedSinceOpened(second)) {
        return changedWhileRead(2);
    }
    return CompareResult::Equal;
}

CompareResult PairComparer::changedWhileRead(int side) {
    outcome_.changedSide = side;
    outcome_.errorCode = kChangedWhileRead;
    return side == 1 ? CompareResult::ErrorReading1st : CompareResult::NotFoundIn2nd;
}

void PairComparer::reportProgress(std::int64_t count) {
    auto& progress = state_.progress;
    if (count < 0) {
        progress.currentFileDone = progress.currentFileSize;
    } else {
        progress.currentFileDone += count;
    }
    RunBytes bytes;
    bytes.pairDone = progress.currentFileDone;
    bytes.pairSize = progress.currentFileSize;
    bytes.runDone = static_cast<double>(progress.currentFileDone) + state_.counters.bytesCompared;
    bytes.runTotal = progress.grandTotal;
    // A pair done, or read to its end, counts before the books count it.
    const bool pairWhole = count < 0 || progress.currentFileDone >= progress.currentFileSize;
    bytes.pairsDone = state_.counters.filesCompared + (pairWhole ? 1 : 0);
    bytes.pairsTotal = progress.grandPairs;
    bytes.blockRead = count >= 0;
    observer_.bytesCompared(bytes);
}

} // namespace quorvel
