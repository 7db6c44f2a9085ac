#include "engine/ContainmentRun.h"

#include "base/PathText.h"
#include "engine/FileAccess.h"
#include "engine/HeldBytesComparison.h"
#include "engine/RunObserver.h"
#include "engine/RunRecord.h"
#include "engine/WalkedFiles.h"

#include <algorithm>
#include <cerrno>

namespace quorvel {

namespace {

// Left files walked before their turn, so their hashes are made meanwhile.
constexpr std::size_t kFilesAhead = 64;
// Hashes asked for and not yet taken: what a size shared by very many files may hold at once.
constexpr std::size_t kHashesAhead = 256;
// Beyond this the reads wait for the same disk.
constexpr unsigned kHashWorkers = 4;
// A left file this small comes back with its hash, and only its match is read again.
constexpr std::int64_t kHeldBytes = std::int64_t{128} << 10;

struct Ahead {
    WalkedFile file;
    bool asked = false;   // its hashes are asked for
    bool waiting = false; // its hashes did not fit: none are asked for after it
};

} // namespace

ContainmentRun::ContainmentRun(RunObserver& observer, RunRecord& record, FileAccess& files)
    : observer_(observer), record_(record), files_(files),
      pairs_(state_, observer_, files_, buffers_), books_(state_, observer_),
      blocks_(state_, observer_, record_, books_) {}

void ContainmentRun::begin(const RunRequest& request) {
    left_ = runDirectory(request.leftDirectory);
    right_ = runDirectory(request.rightDirectory);
    state_ = RunState{};
    state_.options = request.options;
    // Only bytes read and found equal make a file present: a size vouches for nothing here.
    state_.options.fast = false;
    rightFiles_ = FilesBySize{};
    blocks_.reset();
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

void ContainmentRun::recordUnreadable(const WalkedFile& directory, CompareResult result) {
    if (directory.errorCode != 0) {
        observer_.readProblem(directory.wholePath, directory.errorCode);
    }
    state_.progress.currentFileName = directory.name;
    state_.progress.currentFileSize = 0; // nothing is read
    blocks_.record({directory.directory, directory.name, result, {}, {}, directory.errorCode});
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
            continue;
        }
        if (file->size == 0) {
            // The size a listing gives a name it could not look at: what it holds is unknown.
            const auto looked = files_.lookUpFile(file->wholePath);
            if (!looked.size) {
                if (looked.problem.errorCode != 0) {
                    observer_.readProblem(file->wholePath, looked.problem.errorCode);
                }
                continue;
            }
        }
        rightFiles_.add(file->directory, file->name, file->size);
    }
    rightFiles_.seal();
    return !stopping();
}

void ContainmentRun::comparePairs() {
    if (indexRight()) {
        hashes_.emplace(files_, ParallelHasher::workersFor(kHashWorkers));
        WalkedFiles walk(files_, left_, state_.options, true);
        std::deque<Ahead> ahead;
        bool walked = false;
        while (!stopping()) {
            while (!walked && ahead.size() < kFilesAhead &&
                   (ahead.empty() || !ahead.back().waiting)) {
                auto file = walk.next();
                if (!file) {
                    walked = true;
                    break;
                }
                Ahead next{std::move(*file)};
                if (needsHash(next.file)) {
                    next.asked = askHashes(next.file, false);
                    next.waiting = !next.asked;
                }
                ahead.push_back(std::move(next));
            }
            if (ahead.empty()) {
                break;
            }
            const Ahead next = std::move(ahead.front());
            ahead.pop_front();
            blocks_.enter(next.file.directory);
            if (next.file.unreadableDirectory) {
                recordUnreadable(next.file, CompareResult::ErrorReading1st);
            } else {
                lookFor(next.file, next.asked);
            }
        }
        hashes_.reset(); // the hashes still in flight are dropped
        hashedFor_.clear();
    }
    rightFiles_ = FilesBySize{}; // nothing of the tree is kept while the caller waits
    record_.blank();
}

bool ContainmentRun::needsHash(const WalkedFile& file) {
    return !file.unreadableDirectory && file.size > 0 && rightFiles_.ofSize(file.size).size() > 1;
}

std::string ContainmentRun::rightPathOf(const RightFile& file) const {
    return joinPath(right_, rightFiles_.relativePath(file));
}

bool ContainmentRun::askHashes(const WalkedFile& file, bool whole) {
    auto candidates = rightFiles_.ofSize(file.size);
    const auto notYet = [](const RightFile& c) { return c.read == FilesBySize::Read::NotYet; };
    const auto wanted =
        static_cast<std::size_t>(std::count_if(candidates.begin(), candidates.end(), notYet)) + 1;
    if (!whole && hashes_->waiting() + wanted > kHashesAhead) {
        return false;
    }
    for (auto& candidate : candidates) {
        if (!notYet(candidate)) {
            continue;
        }
        // Only the right files of this size are in the queue now: none of them is a left file's.
        std::optional<HashedFile> none;
        if (hashes_->waiting() >= kHashesAhead && !takeHash(none)) {
            return false;
        }
        candidate.read = FilesBySize::Read::Asked;
        hashes_->submit(rightPathOf(candidate));
        hashedFor_.push_back(&candidate);
    }
    hashes_->submit(file.wholePath, kHeldBytes);
    hashedFor_.push_back(nullptr);
    return true;
}

bool ContainmentRun::takeHash(std::optional<HashedFile>& left) {
    RightFile* right = hashedFor_.front();
    hashedFor_.pop_front();
    auto hashed = hashes_->next([this] { return !stopping(); });
    if (!hashed) {
        state_.runInterrupted = true;
        return false;
    }
    if (right == nullptr) {
        left = std::move(hashed);
    } else if (hashed->hash) {
        right->hash = *hashed->hash;
        right->read = FilesBySize::Read::Hashed;
    } else {
        observer_.readProblem(rightPathOf(*right), hashed->errorCode);
        right->read = FilesBySize::Read::Unreadable;
    }
    return true;
}

ContainmentRun::Match ContainmentRun::present(std::string relative,
                                              std::optional<std::int64_t> leftSize,
                                              std::optional<std::int64_t> rightSize,
                                              PairRecord& outcome) {
    foundAt_ = std::move(relative);
    outcome.result = CompareResult::Present;
    outcome.leftSize = leftSize;
    outcome.rightSize = rightSize;
    outcome.rightPath = foundAt_;
    return Match::Equal;
}

ContainmentRun::Match ContainmentRun::dropCandidate(RightFile& candidate,
                                                    const std::string& rightPath, int errorCode) {
    // Gone or no longer a regular file since the walk: the comparison told no reason, and a
    // candidate that could not be looked at leaves a missing file in doubt.
    observer_.readProblem(rightPath, errorCode == 0 ? ENOENT : errorCode);
    candidate.read = FilesBySize::Read::Unreadable;
    return Match::Unequal;
}

ContainmentRun::Match ContainmentRun::compareWithHeld(const std::string& held, RightFile& candidate,
                                                      PairRecord& outcome) {
    auto relative = rightFiles_.relativePath(candidate);
    const auto rightPath = joinPath(right_, relative);
    const auto compared = quorvel::compareWithHeld(files_, rightPath, held, buffers_.second(),
                                                   CompareBuffers::kBlockSize);
    pairs_.reportProgress(-1);
    switch (compared.outcome) {
    case HeldBytesComparison::Outcome::Equal:
        return present(std::move(relative), outcome.leftSize, outcome.leftSize, outcome);
    case HeldBytesComparison::Outcome::Unreadable:
        // As the pair comparer words it: missing, not a regular file, or the system's reason.
        return dropCandidate(candidate, rightPath,
                             compared.missing          ? 0
                             : compared.errorCode == 0 ? kNotARegularFile
                                                       : compared.errorCode);
    case HeldBytesComparison::Outcome::Unequal:
        break;
    }
    return Match::Unequal;
}

ContainmentRun::Match ContainmentRun::compareWith(const WalkedFile& file, RightFile& candidate,
                                                  PairRecord& outcome) {
    auto relative = rightFiles_.relativePath(candidate);
    const auto rightPath = joinPath(right_, relative);
    // Listed a moment ago, the left file needs no look of its own before it is opened.
    const DirectoryEntry listed{file.name, DirectoryEntry::Kind::File, file.size};
    const auto pair = pairs_.comparePair(file.wholePath, rightPath, &listed);
    switch (pair.result) {
    case CompareResult::Equal:
        return present(std::move(relative), pair.leftSize, pair.rightSize, outcome);
    case CompareResult::Interrupted:
        state_.runInterrupted = true;
        return Match::Stopped;
    case CompareResult::ErrorReading1st:
        outcome.result = CompareResult::ErrorReading1st;
        outcome.leftSize.reset();
        outcome.errorCode = pair.errorCode;
        return Match::LeftTrouble;
    case CompareResult::NotFoundIn2nd:
        // Other reasons the comparison told already.
        if (pair.errorCode == 0 || pair.errorCode == kNotARegularFile) {
            return dropCandidate(candidate, rightPath, pair.errorCode);
        }
        candidate.read = FilesBySize::Read::Unreadable;
        return Match::Unequal;
    default:
        return Match::Unequal;
    }
}

void ContainmentRun::lookFor(const WalkedFile& file, bool asked) {
    auto& progress = state_.progress;
    progress.currentFileName = file.name;
    progress.currentFileSize = file.size;
    progress.currentFileDone = 0;
    observer_.pairBegun(file.name);
    PairRecord outcome{file.directory, file.name, CompareResult::Missing, file.size, {}, 0};
    auto candidates = rightFiles_.ofSize(file.size);
    const std::string* held = nullptr; // the left file's contents, read with its hash
    const auto tryInTurn = [&](auto&& take) {
        for (auto& candidate : candidates) {
            if (!take(candidate) || candidate.read == FilesBySize::Read::Unreadable) {
                continue;
            }
            const auto match = held != nullptr ? compareWithHeld(*held, candidate, outcome)
                                               : compareWith(file, candidate, outcome);
            if (match == Match::Stopped) {
                return false;
            }
            if (match != Match::Unequal) {
                break;
            }
        }
        return true;
    };
    if (file.size == 0 && candidates.empty()) {
        // A listing gives no size to a link that leads nowhere or a name it could not look at:
        // such a file is trouble, not missing.
        const auto looked = files_.lookUpFile(file.wholePath);
        if (!looked.size) {
            const int code = looked.problem.errorCode;
            if (code != 0) {
                observer_.readProblem(file.wholePath, code);
            }
            blocks_.record({file.directory,
                            file.name,
                            CompareResult::ErrorReading1st,
                            {},
                            {},
                            code != 0 ? code : kNotARegularFile});
            return;
        }
    }
    // One candidate is read at once, and empty files have nothing to hash.
    if (!needsHash(file)) {
        if (tryInTurn([](const RightFile&) { return true; })) {
            blocks_.record(outcome);
        } // else neither counted nor written, as a pair cut short anywhere
        return;
    }
    if (!asked && !askHashes(file, true)) {
        return;
    }
    // Its own hash comes after those of the right files of its size.
    std::optional<HashedFile> own;
    while (!own) {
        if (!takeHash(own)) {
            return;
        }
    }
    if (!own->hash) {
        observer_.readProblem(file.wholePath, own->errorCode);
        blocks_.record(
            {file.directory, file.name, CompareResult::ErrorReading1st, {}, {}, own->errorCode});
        return;
    }
    if (static_cast<std::int64_t>(own->bytes.size()) == own->size && own->size == file.size) {
        held = &own->bytes;
    }
    // A hash that matches is only a candidate: a collision or a change since it was read shows
    // in the bytes.
    if (tryInTurn([&](const RightFile& candidate) {
            return candidate.read == FilesBySize::Read::Hashed && candidate.hash == *own->hash;
        })) {
        blocks_.record(outcome);
    }
}

void ContainmentRun::end() {
    pairs_.stopAhead();
    files_.forgetCaches();
    record_.status(state_.runInterrupted);
    record_.summary(state_.counters, state_.options.fast);
    observer_.runEnded(state_.runInterrupted);
}

} // namespace quorvel
