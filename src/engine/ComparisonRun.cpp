#include "engine/ComparisonRun.h"

#include "base/PathText.h"
#include "engine/FileAccess.h"
#include "engine/ListedEntries.h"
#include "engine/NameFilter.h"
#include "engine/RunObserver.h"
#include "engine/RunRecord.h"

namespace quorvel {

namespace {

struct ModeHeadings {
    HeadingKind left;
    HeadingKind right;
};

ModeHeadings headingsOf(CompareMode mode) {
    switch (mode) {
    case CompareMode::FileWithFile:
        return {HeadingKind::File, HeadingKind::WithFile};
    case CompareMode::FilesWithDirectory:
        return {HeadingKind::SomeFilesOf, HeadingKind::WithNamesakesOf};
    default:
        return {HeadingKind::Directory, HeadingKind::WithDirectory};
    }
}

} // namespace

ComparisonRun::ComparisonRun(RunObserver& observer, RunRecord& record, FileAccess& files)
    : hold_(observer, record), observer_(hold_), record_(hold_), files_(files),
      pairs_(state_, observer_, files_, buffers_, true), books_(state_, observer_),
      walker_(state_, observer_, record_, files_, pairs_, books_) {}

std::optional<RequestProblem> ComparisonRun::requestProblem(const RunRequest& request) {
    switch (request.mode) {
    case CompareMode::None:
        return RequestProblem::NoMode;
    case CompareMode::FileWithFile:
        if (request.leftNames.empty() || !request.rightName) {
            return RequestProblem::NoTwoFiles;
        }
        return std::nullopt;
    case CompareMode::FilesWithDirectory:
        if (request.leftNames.empty()) {
            return RequestProblem::NoLeftFile;
        }
        return std::nullopt;
    case CompareMode::DirectoryWithDirectory:
        return std::nullopt;
    }
    return RequestProblem::NoMode;
}

std::string ComparisonRun::firstName() const {
    // A request without one is refused before it runs; a caller that runs it all the same
    // compares a file without a name rather than read past the list.
    return request_.leftNames.empty() ? std::string() : request_.leftNames.front();
}

void ComparisonRun::begin(const RunRequest& request) {
    request_ = request;
    left_ = runDirectory(request.leftDirectory);
    right_ = runDirectory(request.rightDirectory);
    const bool directories = request.mode == CompareMode::DirectoryWithDirectory;
    state_ = RunState{};
    // The file modes read only the fast option.
    CompareOptions fileModeOptions;
    fileModeOptions.fast = request.options.fast;
    if (request.mode == CompareMode::FilesWithDirectory) {
        fileModeOptions.names = request.options.names;
    }
    state_.options = directories ? request.options : fileModeOptions;
    // A move is found among the files only on either side: those on the right are listed too.
    const bool moves = directories && request.options.moves;
    state_.options.bothSides = state_.options.bothSides || moves;
    hold_.start(moves, {left_, nullptr}, {right_, nullptr});
    record_.clear(request);
    pairs_.stopAhead();
    files_.forgetCaches();

    const auto headings = headingsOf(request.mode);
    if (request.mode == CompareMode::FileWithFile) {
        record_.heading(headings.left, joinPath(left_, firstName()));
        record_.heading(headings.right, joinPath(right_, request.rightName.value_or("")));
    } else {
        record_.heading(headings.left, left_);
        record_.heading(headings.right, right_);
    }
    record_.optionHeadings();
    observer_.runStarted();
}

void ComparisonRun::sumSizes() {
    pollAbort(observer_, state_);
    state_.progress.grandTotal = walker_.totalSize(left_, state_.options);
    state_.progress.grandPairs = walker_.pairsSized();
}

void ComparisonRun::comparePairs() {
    switch (request_.mode) {
    case CompareMode::FileWithFile:
        compareNamedPair(firstName(), request_.rightName.value_or(""));
        break;
    case CompareMode::FilesWithDirectory:
        compareChosenFiles();
        break;
    case CompareMode::DirectoryWithDirectory:
        walker_.compareDirectory(left_, right_, "");
        break;
    case CompareMode::None:
        break;
    }
    hold_.finish(files_, state_);
    record_.blank();
}

void ComparisonRun::compareChosenFiles() {
    matcher_.setRule(state_.options.names);
    DirectoryListing left;
    DirectoryListing right;
    if (!matcher_.exact()) {
        // The names not chosen count too: a chosen name's key may be another's on its side.
        left = files_.listNames(left_);
        right = files_.listNames(right_);
        matcher_.learnSides(left.entries ? &*left.entries : nullptr,
                            right.entries ? &*right.entries : nullptr, NameFilter());
    }
    for (const auto& name : request_.leftNames) {
        if (state_.runInterrupted) {
            break;
        }
        if (matcher_.exact()) {
            compareNamedPair(name, std::string(matcher_.namesakeOf(name)));
            continue;
        }
        const auto match = matcher_.matchLeft(name);
        if (match.collides()) {
            recordCollision(name, match);
        } else {
            compareNamedPair(name, match.namesake.empty() ? name : std::string(match.namesake));
        }
    }
}

void ComparisonRun::recordCollision(const std::string& name, const NameMatch& match) {
    std::string others;
    for (const auto other : match.collidesWith) {
        others += others.empty() ? "" : "/";
        others += other;
    }
    state_.progress.currentFileName = name;
    state_.progress.currentFileSize = 0;
    observer_.pairBegun(name);
    PairRecord pair;
    pair.name = name;
    pair.result = CompareResult::NameCollision;
    pair.nameSide = 1;
    pair.collidesWith = others;
    pair.collidingSide = match.collidingSide;
    if (books_.accountPair(pair)) {
        record_.pair(pair);
    }
}

void ComparisonRun::compareNamedPair(const std::string& firstName, const std::string& secondName) {
    auto& progress = state_.progress;
    progress.currentFileName = firstName;
    const auto firstPath = joinPath(left_, firstName);
    const auto first = files_.lookUpFile(firstPath);
    progress.currentFileSize = first.size.value_or(0);
    progress.currentFileDone = 0;
    observer_.pairBegun(firstName);
    PairRecord pair;
    if (first.size) {
        pair = pairs_.comparePair(firstPath, joinPath(right_, secondName));
    } else {
        pairs_.noteProblem(firstPath, first.problem, false);
        pair.result = CompareResult::ErrorReading1st;
        pair.errorCode = first.problem.errorCode;
    }
    pair.name = firstName;
    if (request_.mode == CompareMode::FilesWithDirectory && secondName != firstName) {
        pair.rightPath = secondName;
    }
    if (books_.accountPair(pair)) {
        record_.pair(pair);
    }
}

void ComparisonRun::end() {
    // Nothing of the file system is kept while the run's caller waits for the user.
    pairs_.stopAhead();
    files_.forgetCaches();
    record_.status(state_.runInterrupted);
    record_.summary(state_.counters, state_.options.fast);
    observer_.runEnded(state_.runInterrupted);
}

} // namespace quorvel
