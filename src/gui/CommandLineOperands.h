#pragma once

#include "engine/RunPlan.h"

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace quorvel {

class LanguageStrings;

// The paths of the command line as the window opens them: a plan whose every part the user may
// read, or why there is none. Both are held until the window can act on them.
class CommandLineOperands {
public:
    // Plans from `paths`; no paths change nothing.
    void open(const std::vector<std::string>& paths);

    const std::optional<RunPlan>& plan() const { return plan_; }
    std::optional<RunPlan> takePlan() { return std::exchange(plan_, std::nullopt); }
    // Why the paths could not be opened, in the language in force, with the path and the system's
    // reason on a second line; once.
    std::optional<std::string> takeFailure(const LanguageStrings& strings);

private:
    struct Failure {
        PlanProblem problem;
        std::string path;
        int errorCode;
    };

    std::optional<RunPlan> plan_;
    std::optional<Failure> failure_;
};

} // namespace quorvel
