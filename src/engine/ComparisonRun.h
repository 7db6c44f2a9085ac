#pragma once

#include "engine/CompareBuffers.h"
#include "engine/CompareResult.h"
#include "engine/DirectoryWalker.h"
#include "engine/PairComparer.h"
#include "engine/RunBookkeeping.h"
#include "engine/RunState.h"

#include <string>

namespace quorvel {

class FileAccess;
class LanguageStrings;
class Report;
class RunView;

// A comparison run, from the press of the start button to the answer to the closing question.
// One object lives for the whole program: it owns the two comparison buffers.
class ComparisonRun {
public:
    ComparisonRun(RunView& view, Report& report, const LanguageStrings& strings, FileAccess& files,
                  std::string decimalSeparator);

    // The start button. Restores the idle window also when a failure passes through.
    void startComparison();
    // The abort button: seen the next time the run lets the window handle input.
    void requestAbort() { state_.abortRequested = true; }

    void runFileWithFile();
    void runFilesWithDirectory();
    void runDirectoryWithDirectory();

    const RunState& state() const { return state_; }
    void setWalkOptions(const WalkOptions& options) { walker_.setOptions(options); }

private:
    void restoreIdle();
    void commonStart(const CompareOptions& options);
    void appendHeading(MessageKey key, const std::string& path);
    CompareOptions fileModeOptions();
    // The fast line and the blank line that end a heading, and the window's running state.
    void endHeading();
    // Around the pairs of the two file modes.
    void startPairs();
    void endPairs();
    void compareNamedPair(const std::string& left, const std::string& firstName,
                          const std::string& right, const std::string& secondName);
    void finishRun();

    RunView& view_;
    Report& report_;
    const LanguageStrings& strings_;
    FileAccess& files_;
    CompareBuffers buffers_;
    RunState state_;
    PairComparer pairs_;
    RunBookkeeping books_;
    DirectoryWalker walker_;
};

} // namespace quorvel
