#include "engine/ComparisonRun.h"

#include "base/PathText.h"
#include "engine/FileAccess.h"
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
    : observer_(observer), record_(record), files_(files),
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
    state_.options = directories ? request.options : fileModeOptions;
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
        for (const auto& name : request_.leftNames) {
            if (!state_.runInterrupted) {
                compareNamedPair(name, std::string(matcher_.namesakeOf(name)));
            }
        }
        break;
    case CompareMode::DirectoryWithDirectory:
        walker_.compareDirectory(left_, right_, "");
        break;
    case CompareMode::None:
        break;
    }
    record_.blank();
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
