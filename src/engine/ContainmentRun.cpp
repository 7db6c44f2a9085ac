#include "engine/ContainmentRun.h"

#include "base/PathText.h"
#include "engine/FileAccess.h"
#include "engine/RunObserver.h"
#include "engine/RunRecord.h"
#include "engine/WalkedFiles.h"

#include <cerrno>

namespace quorvel {

ContainmentRun::ContainmentRun(RunObserver& observer, RunRecord& record, FileAccess& files)
    : observer_(observer), record_(record), files_(files),
      pairs_(state_, observer_, files_, buffers_), books_(state_, observer_), hasher_(files_) {}

void ContainmentRun::begin(const RunRequest& request) {
    left_ = runDirectory(request.leftDirectory);
    right_ = runDirectory(request.rightDirectory);
    state_ = RunState{};
    state_.options = request.options;
    // Only bytes read and found equal make a file present: a size vouches for nothing here.
    state_.options.fast = false;
    rightFiles_ = FilesBySize{};
    lastDirectory_.reset();
    blockWritten_ = false;
    record_.clear(request);
    files_.forgetCaches();
    record_.heading(HeadingKind::Directory, left_);
    record_.heading(HeadingKind::WithDirectory, right_);
    record_.optionHeadings();
    observer_.runStarted();
}

bool ContainmentRun::stopping() {
    pollAbort(observer_, state_);
    if (state_.abortRequested) {
        state_.runInterrupted = true;
    }
    return state_.runInterrupted;
}

void ContainmentRun::sumSizes() {
    WalkedFiles walk(files_, left_, state_.options, false);
    double total = 0;
    std::int64_t count = 0;
    while (const auto file = walk.next()) {
        if (stopping()) {
            return;
        }
        if (!file->unreadableDirectory) {
            total += static_cast<double>(file->size);
            ++count;
        }
    }
    state_.progress.grandTotal = total;
    state_.progress.grandPairs = count;
}

void ContainmentRun::enterDirectory(std::string_view directory) {
    if (lastDirectory_ != directory) {
        lastDirectory_ = std::string(directory);
        blockWritten_ = false;
        observer_.directoryBegun(directory);
    }
}

void ContainmentRun::recordUnreadable(const WalkedFile& directory, CompareResult result) {
    if (directory.errorCode != 0) {
        observer_.readProblem(directory.wholePath, directory.errorCode);
    }
    state_.progress.currentFileName = directory.name;
    state_.progress.currentFileSize = 0; // nothing is read
    recordFile({directory.directory, directory.name, result, {}, {}, directory.errorCode});
}

bool ContainmentRun::indexRight() {
    WalkedFiles walk(files_, right_, state_.options, false);
    while (auto file = walk.next()) {
        if (stopping()) {
            return false;
        }
        if (file->unreadableDirectory) {
            // What it holds could be what a file is missing: named, as a directory run names it.
            recordUnreadable(*file, CompareResult::NotFoundIn1st);
        } else {
            rightFiles_.add(file->directory, file->name, file->size);
        }
    }
    rightFiles_.seal();
    return !stopping();
}

void ContainmentRun::comparePairs() {
    if (indexRight()) {
        WalkedFiles walk(files_, left_, state_.options, true);
        while (!stopping()) {
            const auto file = walk.next();
            if (!file) {
                break;
            }
            enterDirectory(file->directory);
            if (file->unreadableDirectory) {
                recordUnreadable(*file, CompareResult::ErrorReading1st);
            } else {
                lookFor(*file);
            }
        }
    }
    rightFiles_ = FilesBySize{}; // nothing of the tree is kept while the caller waits
    record_.blank();
}

std::optional<Hash128> ContainmentRun::hashOf(const std::string& path, std::int64_t size,
                                              int& errorCode) {
    const double before = state_.counters.bytesCompared;
    const auto hashed = hasher_.hash(path, [&](std::int64_t done) {
        RunBytes bytes;
        bytes.pairDone = done;
        bytes.pairSize = size;
        bytes.runDone = before + static_cast<double>(done);
        bytes.runTotal = state_.progress.grandTotal;
        bytes.pairsDone = state_.counters.filesCompared;
        bytes.pairsTotal = state_.progress.grandPairs;
        bytes.blockRead = true;
        observer_.bytesCompared(bytes);
        return !stopping();
    });
    errorCode = hashed.stopped ? 0 : hashed.errorCode;
    return hashed.stopped ? std::nullopt : hashed.hash;
}

ContainmentRun::Match ContainmentRun::compareWith(const WalkedFile& file, RightFile& candidate,
                                                  PairRecord& outcome) {
    if (candidate.read == FilesBySize::Read::Unreadable) {
        return Match::Unequal;
    }
    const auto relative = rightFiles_.relativePath(candidate);
    const auto rightPath = joinPath(right_, relative);
    const auto pair = pairs_.comparePair(file.wholePath, rightPath);
    switch (pair.result) {
    case CompareResult::Equal:
        foundAt_ = relative;
        outcome.result = CompareResult::Present;
        outcome.leftSize = pair.leftSize;
        outcome.rightSize = pair.rightSize;
        outcome.rightPath = foundAt_;
        return Match::Equal;
    case CompareResult::Interrupted:
        state_.runInterrupted = true;
        return Match::Stopped;
    case CompareResult::ErrorReading1st:
        outcome.result = CompareResult::ErrorReading1st;
        outcome.leftSize.reset();
        outcome.errorCode = pair.errorCode;
        return Match::LeftTrouble;
    case CompareResult::NotFoundIn2nd:
        // Gone or no longer a regular file since the walk: the comparison told no reason, and a
        // candidate that could not be looked at leaves a missing file in doubt.
        if (pair.errorCode == 0 || pair.errorCode == kNotARegularFile) {
            observer_.readProblem(rightPath, pair.errorCode == 0 ? ENOENT : pair.errorCode);
        }
        candidate.read = FilesBySize::Read::Unreadable;
        return Match::Unequal;
    default:
        return Match::Unequal;
    }
}

void ContainmentRun::lookFor(const WalkedFile& file) {
    auto& progress = state_.progress;
    progress.currentFileName = file.name;
    progress.currentFileSize = file.size;
    progress.currentFileDone = 0;
    observer_.pairBegun(file.name);
    PairRecord outcome{file.directory, file.name, CompareResult::Missing, file.size, {}, 0};
    auto candidates = rightFiles_.ofSize(file.size);
    const auto tryInTurn = [&](auto&& take) {
        for (auto& candidate : candidates) {
            if (!take(candidate)) {
                continue;
            }
            const auto match = compareWith(file, candidate, outcome);
            if (match == Match::Stopped) {
                return false;
            }
            if (match != Match::Unequal) {
                break;
            }
        }
        return true;
    };
    // One candidate is read at once, and empty files have nothing to hash.
    if (candidates.size() == 1 || file.size == 0) {
        if (!tryInTurn([](const RightFile&) { return true; })) {
            return; // neither counted nor written, as a pair cut short anywhere
        }
        recordFile(outcome);
        return;
    }
    if (candidates.empty()) {
        recordFile(outcome);
        return;
    }
    int errorCode = 0;
    const auto hash = hashOf(file.wholePath, file.size, errorCode);
    if (!hash) {
        if (errorCode != 0) {
            observer_.readProblem(file.wholePath, errorCode);
            recordFile(
                {file.directory, file.name, CompareResult::ErrorReading1st, {}, {}, errorCode});
        }
        return;
    }
    for (auto& candidate : candidates) {
        if (candidate.read != FilesBySize::Read::NotYet) {
            continue;
        }
        const auto rightPath = joinPath(right_, rightFiles_.relativePath(candidate));
        const auto rightHash = hashOf(rightPath, candidate.size, errorCode);
        if (rightHash) {
            candidate.hash = *rightHash;
            candidate.read = FilesBySize::Read::Hashed;
        } else if (errorCode != 0) {
            observer_.readProblem(rightPath, errorCode);
            candidate.read = FilesBySize::Read::Unreadable;
        } else {
            return;
        }
    }
    // A hash that matches is only a candidate: a collision or a change since it was read shows
    // in the bytes.
    if (tryInTurn([&](const RightFile& candidate) {
            return candidate.read == FilesBySize::Read::Hashed && candidate.hash == *hash;
        })) {
        recordFile(outcome);
    }
}

void ContainmentRun::recordFile(const PairRecord& pair) {
    enterDirectory(pair.directory);
    // Once interrupted the file is neither counted nor written.
    if (!books_.accountPair(pair) || (countsAsEqual(pair.result) && state_.options.onlyDifferent)) {
        return;
    }
    if (!blockWritten_ && !pair.directory.empty()) {
        blockWritten_ = true;
        record_.subdirectory(pair.directory);
    }
    record_.pair(pair);
}

void ContainmentRun::end() {
    pairs_.stopAhead();
    files_.forgetCaches();
    record_.status(state_.runInterrupted);
    record_.summary(state_.counters, state_.options.fast);
    observer_.runEnded(state_.runInterrupted);
}

} // namespace quorvel
