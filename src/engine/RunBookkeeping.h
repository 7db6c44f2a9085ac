#pragma once

#include "engine/CompareResult.h"

#include <string>

namespace quorvel {

class LanguageStrings;
class RunView;
struct RunState;

// Counts pairs and builds the summary texts.
class RunBookkeeping {
public:
    RunBookkeeping(RunState& state, const LanguageStrings& strings, RunView& view,
                   std::string decimalSeparator);

    // Whether the pair's line may be written: false once the run has been interrupted.
    bool accountPair(CompareResult result);
    void refreshRunStatus();

    std::string countLine() const;
    std::string equalLine() const;
    const LanguageStrings& strings() const { return strings_; }

private:
    RunState& state_;
    const LanguageStrings& strings_;
    RunView& view_;
    std::string decimalSeparator_;
};

} // namespace quorvel
