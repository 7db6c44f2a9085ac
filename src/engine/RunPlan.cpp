#include "engine/RunPlan.h"

#include "engine/CurrentDirectory.h"
#include "engine/LexicalPath.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <sys/stat.h>

namespace quorvel {

namespace {

enum class Kind { Directory, File };

struct Checked {
    std::optional<Kind> kind;
    std::string error;
    int errorCode = 0;
};

// `st` is left holding what the path leads to.
Checked check(const std::string& path, const std::string& fromHere, struct stat& st) {
    if (::stat(fromHere.c_str(), &st) != 0) {
        const int reason = errno;
        return {std::nullopt, "cannot access '" + path + "': " + std::strerror(reason), reason};
    }
    if (S_ISDIR(st.st_mode)) {
        return {Kind::Directory, {}};
    }
    if (S_ISREG(st.st_mode)) {
        return {Kind::File, {}};
    }
    return {std::nullopt, "'" + path + "': not a regular file or directory"};
}

PlannedRun failure(std::string error, bool usage, PlanProblem problem, const std::string& path,
                   int errorCode = 0) {
    return {std::nullopt, std::move(error), usage, problem, path, errorCode};
}

// The lexical form reads best in the headings, but a ".." after a symbolic link leads elsewhere
// than it seems; then the path the system resolved is the one compared. `found` is what the
// path as typed leads to.
std::optional<std::string> runPath(const std::string& asTyped, const std::string& fromHere,
                                   const struct stat& found, const std::string& currentDirectory,
                                   std::string& error, int& errorCode) {
    auto lexical = lexicallyAbsolute(asTyped, currentDirectory);
    struct stat st {};
    if (::stat(lexical.c_str(), &st) == 0 && st.st_dev == found.st_dev &&
        st.st_ino == found.st_ino) {
        return lexical;
    }
    char* resolved = ::realpath(fromHere.c_str(), nullptr);
    if (resolved == nullptr) {
        errorCode = errno;
        error = "cannot access '" + asTyped + "': " + std::strerror(errorCode);
        return std::nullopt;
    }
    std::string path(resolved);
    std::free(resolved);
    return path;
}

} // namespace

PlannedRun planRun(const std::vector<std::string>& paths, const std::string& currentDirectory) {
    std::vector<Kind> kinds;
    std::vector<std::string> normal;
    for (const auto& path : paths) {
        // As typed: a ".." after a link must lead where the system says it does.
        const auto fromHere =
            path.empty() || path.front() == '/' ? path : currentDirectory + "/" + path;
        struct stat found {};
        auto checked = check(path, fromHere, found);
        if (!checked.kind) {
            return failure(checked.error, false,
                           checked.errorCode != 0 ? PlanProblem::Unreadable
                                                  : PlanProblem::NotFileOrDirectory,
                           path, checked.errorCode);
        }
        kinds.push_back(*checked.kind);
        std::string error;
        int errorCode = 0;
        auto runAs = runPath(path, fromHere, found, currentDirectory, error, errorCode);
        if (!runAs) {
            return failure(error, false, PlanProblem::Unreadable, path, errorCode);
        }
        normal.push_back(std::move(*runAs));
    }

    RunPlan plan;
    if (paths.size() == 1) {
        if (kinds[0] == Kind::Directory) {
            plan.leftDirectory = normal[0];
        } else {
            plan.leftDirectory = parentOf(normal[0]);
            plan.leftNames.push_back(nameOf(normal[0]));
        }
        return {std::move(plan), {}, false, PlanProblem::None, {}, 0};
    }
    if (paths.size() == 2 && kinds[0] == Kind::Directory) {
        if (kinds[1] != Kind::Directory) {
            return failure("cannot compare directory '" + paths[0] + "' with file '" + paths[1] +
                               "'",
                           true, PlanProblem::Mismatched, paths[1]);
        }
        plan.mode = CompareMode::DirectoryWithDirectory;
        plan.leftDirectory = normal[0];
        plan.rightDirectory = normal[1];
        return {std::move(plan), {}, false, PlanProblem::None, {}, 0};
    }
    if (paths.size() == 2 && kinds[1] == Kind::File) {
        plan.mode = CompareMode::FileWithFile;
        plan.leftDirectory = parentOf(normal[0]);
        plan.leftNames.push_back(nameOf(normal[0]));
        plan.rightDirectory = parentOf(normal[1]);
        plan.rightName = nameOf(normal[1]);
        return {std::move(plan), {}, false, PlanProblem::None, {}, 0};
    }
    if (kinds.back() != Kind::Directory) {
        return failure("the last operand '" + paths.back() + "' must be a directory", true,
                       PlanProblem::Mismatched, paths.back());
    }
    plan.mode = CompareMode::FilesWithDirectory;
    plan.rightDirectory = normal.back();
    plan.leftDirectory = parentOf(normal.front());
    for (std::size_t i = 0; i + 1 < paths.size(); ++i) {
        if (kinds[i] != Kind::File) {
            return failure("'" + paths[i] +
                               "' is a directory; only files may precede the last "
                               "operand",
                           true, PlanProblem::Mismatched, paths[i]);
        }
        if (parentOf(normal[i]) != plan.leftDirectory) {
            return failure("'" + paths[i] + "' and '" + paths.front() +
                               "' are not in the same directory",
                           true, PlanProblem::Mismatched, paths[i]);
        }
        plan.leftNames.push_back(nameOf(normal[i]));
    }
    return {std::move(plan), {}, false, PlanProblem::None, {}, 0};
}

PlannedRun planRunFromHere(const std::vector<std::string>& paths) {
    const std::optional<std::string> here = currentDirectory();
    if (!here) {
        const int reason = errno;
        for (const std::string& path : paths) {
            if (path.empty() || path.front() != '/') {
                return failure("cannot access '" + path + "': " + std::strerror(reason), false,
                               PlanProblem::Unreadable, path, reason);
            }
        }
    }
    return planRun(paths, here.value_or("/"));
}

} // namespace quorvel
