#include "gui/CommandLineOperands.h"

#include "lang/LanguageStrings.h"

#include <cerrno>
#include <cstring>
#include <unistd.h>
#include <utility>

namespace quorvel {

namespace {

std::string inDirectory(const std::string& directory, const std::string& name) {
    return directory.ends_with('/') ? directory + name : directory + "/" + name;
}

// The first part of a plan the user may not read (a directory also not search), with the
// system's reason.
std::optional<std::pair<std::string, int>> unreadablePart(const RunPlan& plan) {
    std::vector<std::pair<std::string, int>> parts{{plan.leftDirectory, R_OK | X_OK}};
    for (const std::string& name : plan.leftNames) {
        parts.emplace_back(inDirectory(plan.leftDirectory, name), R_OK);
    }
    if (!plan.rightDirectory.empty()) {
        parts.emplace_back(plan.rightDirectory, R_OK | X_OK);
    }
    if (plan.rightName) {
        parts.emplace_back(inDirectory(plan.rightDirectory, *plan.rightName), R_OK);
    }
    for (const auto& [path, access] : parts) {
        if (::access(path.c_str(), access) != 0) {
            return std::pair{path, errno};
        }
    }
    return std::nullopt;
}

MessageKey failureMessage(PlanProblem problem) {
    switch (problem) {
    case PlanProblem::NotFileOrDirectory:
        return MessageKey::errOperandNotFileOrDirectory;
    case PlanProblem::Mismatched:
        return MessageKey::errOperandsMismatched;
    case PlanProblem::None:
    case PlanProblem::Unreadable:
        break;
    }
    return MessageKey::errOperandUnreadable;
}

} // namespace

void CommandLineOperands::open(const std::vector<std::string>& paths) {
    if (paths.empty()) {
        return;
    }
    PlannedRun planned = planRunFromHere(paths);
    if (!planned.plan) {
        failure_ = Failure{planned.problem, planned.problemPath, planned.errorCode};
    } else if (const auto unreadable = unreadablePart(*planned.plan)) {
        failure_ = Failure{PlanProblem::Unreadable, unreadable->first, unreadable->second};
    } else {
        plan_ = std::move(planned.plan);
    }
}

std::optional<std::string> CommandLineOperands::takeFailure(const LanguageStrings& strings) {
    if (!failure_) {
        return std::nullopt;
    }
    const Failure failure = *std::exchange(failure_, std::nullopt);
    std::string text(strings.text(failureMessage(failure.problem)));
    text += "\n" + failure.path;
    if (failure.errorCode != 0) {
        text += ": ";
        text += std::strerror(failure.errorCode);
    }
    return text;
}

} // namespace quorvel
