#pragma once

#include "engine/CompareResult.h"

#include <string>
#include <string_view>

namespace quorvel {

class LanguageStrings;
class Report;
class RunView;
struct RunState;

// Counts pairs, builds the summary texts and appends lines to the Report.
class RunBookkeeping {
public:
    RunBookkeeping(RunState& state, Report& report, const LanguageStrings& strings, RunView& view,
                   std::string decimalSeparator);

    // Whether the pair's line may be written: false once the run has been interrupted.
    bool accountPair(CompareResult result);
    void refreshRunStatus();

    std::string countLine() const;
    std::string equalLine() const;
    void appendReportLine(std::string_view line);
    const LanguageStrings& strings() const { return strings_; }

private:
    RunState& state_;
    Report& report_;
    const LanguageStrings& strings_;
    RunView& view_;
    std::string decimalSeparator_;
};

} // namespace quorvel
