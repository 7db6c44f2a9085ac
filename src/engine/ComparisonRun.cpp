#include "engine/ComparisonRun.h"

#include "engine/FileAccess.h"
#include "engine/PathText.h"
#include "engine/Report.h"
#include "engine/ReportLineFormat.h"
#include "engine/RunView.h"
#include "lang/LanguageStrings.h"

namespace quorvel {

ComparisonRun::ComparisonRun(RunView& view, Report& report, const LanguageStrings& strings,
                             FileAccess& files, std::string decimalSeparator)
    : view_(view), report_(report), strings_(strings), files_(files),
      pairs_(state_, view_, files_, buffers_),
      books_(state_, strings_, view_, std::move(decimalSeparator)),
      walker_(state_, view_, report_, files_, pairs_, books_) {}

void ComparisonRun::startComparison() {
    try {
        view_.setControlsEnabled(false);
        switch (view_.compareMode()) {
        case CompareMode::FileWithFile:
            runFileWithFile();
            break;
        case CompareMode::FilesWithDirectory:
            runFilesWithDirectory();
            break;
        case CompareMode::DirectoryWithDirectory:
            view_.setSideCaptionsVisible(false);
            view_.setProgress(0);
            view_.setProgressVisible(true);
            runDirectoryWithDirectory();
            break;
        case CompareMode::None:
            view_.showError(strings_.text(MessageKey::errNoMode),
                            strings_.text(MessageKey::capError));
            break;
        }
    } catch (...) {
        restoreIdle();
        throw;
    }
    restoreIdle();
}

void ComparisonRun::restoreIdle() {
    view_.setControlsEnabled(true);
    view_.setAbortVisible(false);
    view_.setFileStatusVisible(false);
    view_.setDirectoryStatusVisible(false);
    view_.setProgressVisible(false);
    view_.setSideCaptionsVisible(true);
}

void ComparisonRun::commonStart(const CompareOptions& options) {
    state_.counters = RunCounters{};
    state_.abortRequested = false;
    state_.runInterrupted = false;
    state_.options = options;
    report_.clear();
    files_.forgetCaches();
}

void ComparisonRun::appendHeading(MessageKey key, const std::string& path) {
    std::string line(strings_.text(key));
    line += ' ';
    line += reportSafe(path);
    report_.appendReportLine(line, ReportLineKind::Heading);
}

CompareOptions ComparisonRun::fileModeOptions() {
    // The file modes read only the fast option.
    CompareOptions options;
    options.fast = view_.compareOptions().fast;
    return options;
}

void ComparisonRun::endHeading() {
    if (state_.options.fast) {
        report_.appendReportLine(view_.fastCaption(), ReportLineKind::Heading);
    }
    report_.appendReportLine("", ReportLineKind::Blank);
    books_.refreshRunStatus();
    view_.setAbortVisible(true);
}

void ComparisonRun::startPairs() {
    endHeading();
    view_.setFileStatus("");
    view_.setFileStatusVisible(true);
}

void ComparisonRun::endPairs() {
    report_.appendReportLine("", ReportLineKind::Blank);
    view_.setAbortVisible(false);
    view_.setFileStatusVisible(false);
    finishRun();
}

void ComparisonRun::runFileWithFile() {
    const auto left = runDirectory(view_.leftDirectory());
    const auto right = runDirectory(view_.rightDirectory());
    const auto firstNames = view_.selectedLeftFiles();
    const auto secondName = view_.selectedRightFile();
    if (firstNames.empty() || !secondName) {
        view_.showError(strings_.text(MessageKey::errSelectTwoFiles),
                        strings_.text(MessageKey::capError));
        return;
    }
    commonStart(fileModeOptions());
    appendHeading(MessageKey::hdrFileCompare, joinPath(left, firstNames.front()));
    appendHeading(MessageKey::hdrWithFile, joinPath(right, *secondName));
    startPairs();
    compareNamedPair(left, firstNames.front(), right, *secondName);
    endPairs();
}

void ComparisonRun::runFilesWithDirectory() {
    const auto left = runDirectory(view_.leftDirectory());
    const auto right = runDirectory(view_.rightDirectory());
    const auto names = view_.selectedLeftFiles();
    if (names.empty()) {
        view_.showError(strings_.text(MessageKey::errSelectLeftFile),
                        strings_.text(MessageKey::capError));
        return;
    }
    commonStart(fileModeOptions());
    appendHeading(MessageKey::hdrSomeFilesOf, left);
    appendHeading(MessageKey::hdrWithNamesakesOf, right);
    startPairs();
    for (const auto& name : names) {
        if (!state_.runInterrupted) {
            compareNamedPair(left, name, right, name);
        }
    }
    endPairs();
}

void ComparisonRun::runDirectoryWithDirectory() {
    const auto left = runDirectory(view_.leftDirectory());
    const auto right = runDirectory(view_.rightDirectory());
    commonStart(view_.compareOptions());
    const auto& options = state_.options;
    appendHeading(MessageKey::hdrDirCompare, left);
    appendHeading(MessageKey::hdrWithDir, right);
    if (options.filter != "*.*") {
        std::string line = "(";
        line += view_.filterCaption();
        line += ":  ";
        line += reportSafe(options.filter);
        line += ')';
        report_.appendReportLine(line, ReportLineKind::Heading);
    }
    endHeading();
    view_.setFileStatusVisible(true);
    view_.setFileStatus(strings_.text(MessageKey::txtComputingTotal));
    view_.processEvents();
    state_.progress.grandTotal = walker_.totalSize(left, options.recurse, options.filter);
    view_.setFileStatus("");
    view_.setDirectoryStatus("");
    view_.setDirectoryStatusVisible(true);
    walker_.compareDirectory(left, right, "");
    report_.appendReportLine("", ReportLineKind::Blank);
    view_.setAbortVisible(false);
    view_.setFileStatusVisible(false);
    view_.setDirectoryStatusVisible(false);
    finishRun();
}

void ComparisonRun::compareNamedPair(const std::string& left, const std::string& firstName,
                                     const std::string& right, const std::string& secondName) {
    auto& progress = state_.progress;
    progress.currentFileName = firstName;
    const auto firstPath = joinPath(left, firstName);
    const auto first = files_.lookUpFile(firstPath);
    progress.currentFileSize = first.size.value_or(0);
    progress.currentFileDone = 0;
    view_.setFileStatus(firstName);
    view_.setFileStatusVisible(true);
    if (!first.size) {
        pairs_.noteProblem(firstPath, first.problem, false);
    }
    const auto result = first.size ? pairs_.comparePair(firstPath, joinPath(right, secondName))
                                   : CompareResult::ErrorReading1st;
    if (books_.accountPair(result)) {
        report_.appendPairLine(formatResultLine(firstName, result, strings_), result);
    }
}

void ComparisonRun::finishRun() {
    // Nothing of the file system is kept while the closing question waits for the user.
    files_.forgetCaches();
    const bool interrupted = state_.runInterrupted;
    report_.appendReportLine(
        strings_.text(interrupted ? MessageKey::msgRunInterrupted : MessageKey::msgRunFinished),
        ReportLineKind::Status);
    report_.appendReportLine(books_.countLine(), ReportLineKind::Summary);
    report_.appendReportLine(books_.equalLine(), ReportLineKind::Summary);
    const bool view =
        view_.askYesNo(strings_.text(interrupted ? MessageKey::askViewReportInterrupted
                                                 : MessageKey::askViewReportFinished),
                       strings_.text(MessageKey::capMessage),
                       interrupted ? RunView::Icon::Stop : RunView::Icon::Information);
    if (view) {
        view_.showReport();
    }
}

} // namespace quorvel
