#include "engine/RunBookkeeping.h"

#include "engine/ReportLineFormat.h"
#include "engine/RunState.h"
#include "engine/RunView.h"
#include "lang/LanguageStrings.h"

namespace quorvel {

RunBookkeeping::RunBookkeeping(RunState& state, const LanguageStrings& strings, RunView& view,
                               std::string decimalSeparator)
    : state_(state), strings_(strings), view_(view),
      decimalSeparator_(std::move(decimalSeparator)) {}

bool RunBookkeeping::accountPair(CompareResult result) {
    if (result == CompareResult::Interrupted || state_.abortRequested) {
        state_.runInterrupted = true;
        return false;
    }
    auto& counters = state_.counters;
    ++counters.filesCompared;
    counters.bytesCompared += static_cast<double>(state_.progress.currentFileSize);
    if (!countsAsEqual(result)) {
        ++counters.differentCount;
    }
    refreshRunStatus();
    return true;
}

void RunBookkeeping::refreshRunStatus() {
    if (view_.showsStatusTexts()) {
        view_.setGuidance(countLine(), equalLine());
    }
}

std::string RunBookkeeping::countLine() const {
    std::string line(strings_.text(MessageKey::txtCompared));
    line += ' ';
    line += std::to_string(state_.counters.filesCompared);
    line += ' ';
    line += strings_.text(MessageKey::txtFiles);
    line += ";  ";
    line += formatByteSize(state_.counters.bytesCompared, decimalSeparator_);
    return line;
}

std::string RunBookkeeping::equalLine() const {
    const auto& counters = state_.counters;
    std::string line(strings_.text(MessageKey::txtEqual));
    if (state_.options.fast) {
        line += strings_.text(MessageKey::txtMaybe);
    }
    line += ": ";
    line += std::to_string(counters.filesCompared - counters.differentCount);
    line += ";   ";
    line += strings_.text(MessageKey::txtDifferent);
    line += ": ";
    line += std::to_string(counters.differentCount);
    return line;
}

} // namespace quorvel
