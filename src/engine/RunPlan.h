#pragma once

#include "engine/CompareMode.h"

#include <optional>
#include <string>
#include <vector>

namespace quorvel {

// The two sides of a run as the window's panels would show them.
struct RunPlan {
    CompareMode mode = CompareMode::None;
    std::string leftDirectory;
    std::string rightDirectory;
    std::vector<std::string> leftNames; // the selected files, in the order given
    std::optional<std::string> rightName;
};

// Why no run could be planned, for a caller that words it in a language of its own.
enum class PlanProblem {
    None,
    Unreadable,         // with the system's reason
    NotFileOrDirectory, // a device, a FIFO, a socket
    Mismatched,         // kinds or folders that make no mode
};

struct PlannedRun {
    std::optional<RunPlan> plan;
    std::string error;       // the diagnostic without the program name, for a terminal
    bool usageError = false; // worth a hint at --help
    PlanProblem problem = PlanProblem::None;
    std::string problemPath; // the operand at fault, as given
    int errorCode = 0;       // the system's reason, when it gave one
};

// Looks at the paths (links followed) and decides the mode, for the companion and the window
// alike; `paths` holds at least one. A lone path takes no mode: a directory is the left side, a
// file its folder's with the file selected.
PlannedRun planRun(const std::vector<std::string>& paths, const std::string& currentDirectory);
// The same from the working directory; without one (it was deleted) a relative path cannot be
// reached.
PlannedRun planRunFromHere(const std::vector<std::string>& paths);

} // namespace quorvel
