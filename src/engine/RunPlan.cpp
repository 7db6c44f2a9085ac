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
};

// `st` is left holding what the path leads to.
Checked check(const std::string& path, const std::string& fromHere, struct stat& st) {
    if (::stat(fromHere.c_str(), &st) != 0) {
        return {std::nullopt, "cannot access '" + path + "': " + std::strerror(errno)};
    }
    if (S_ISDIR(st.st_mode)) {
        return {Kind::Directory, {}};
    }
    if (S_ISREG(st.st_mode)) {
        return {Kind::File, {}};
    }
    return {std::nullopt, "'" + path + "': not a regular file or directory"};
}

PlannedRun failure(std::string error, bool usage) {
    return {std::nullopt, std::move(error), usage};
}

// The lexical form reads best in the headings, but a ".." after a symbolic link leads elsewhere
// than it seems; then the path the system resolved is the one compared. `found` is what the
// path as typed leads to.
std::optional<std::string> runPath(const std::string& asTyped, const std::string& fromHere,
                                   const struct stat& found, const std::string& currentDirectory,
                                   std::string& error) {
    auto lexical = lexicallyAbsolute(asTyped, currentDirectory);
    struct stat st {};
    if (::stat(lexical.c_str(), &st) == 0 && st.st_dev == found.st_dev &&
        st.st_ino == found.st_ino) {
        return lexical;
    }
    char* resolved = ::realpath(fromHere.c_str(), nullptr);
    if (resolved == nullptr) {
        error = "cannot access '" + asTyped + "': " + std::strerror(errno);
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
            return failure(checked.error, false);
        }
        kinds.push_back(*checked.kind);
        std::string error;
        auto runAs = runPath(path, fromHere, found, currentDirectory, error);
        if (!runAs) {
            return failure(error, false);
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
        return {std::move(plan), {}, false};
    }
    if (paths.size() == 2 && kinds[0] == Kind::Directory) {
        if (kinds[1] != Kind::Directory) {
            return failure(
                "cannot compare directory '" + paths[0] + "' with file '" + paths[1] + "'", true);
        }
        plan.mode = CompareMode::DirectoryWithDirectory;
        plan.leftDirectory = normal[0];
        plan.rightDirectory = normal[1];
        return {std::move(plan), {}, false};
    }
    if (paths.size() == 2 && kinds[1] == Kind::File) {
        plan.mode = CompareMode::FileWithFile;
        plan.leftDirectory = parentOf(normal[0]);
        plan.leftNames.push_back(nameOf(normal[0]));
        plan.rightDirectory = parentOf(normal[1]);
        plan.rightName = nameOf(normal[1]);
        return {std::move(plan), {}, false};
    }
    if (kinds.back() != Kind::Directory) {
        return failure("the last operand '" + paths.back() + "' must be a directory", true);
    }
    plan.mode = CompareMode::FilesWithDirectory;
    plan.rightDirectory = normal.back();
    plan.leftDirectory = parentOf(normal.front());
    for (std::size_t i = 0; i + 1 < paths.size(); ++i) {
        if (kinds[i] != Kind::File) {
            return failure("'" + paths[i] +
                               "' is a directory; only files may precede the last "
                               "operand",
                           true);
        }
        if (parentOf(normal[i]) != plan.leftDirectory) {
            return failure("'" + paths[i] + "' and '" + paths.front() +
                               "' are not in the same directory",
                           true);
        }
        plan.leftNames.push_back(nameOf(normal[i]));
    }
    return {std::move(plan), {}, false};
}

PlannedRun planRunFromHere(const std::vector<std::string>& paths) {
    const std::optional<std::string> here = currentDirectory();
    if (!here) {
        const int reason = errno;
        for (const std::string& path : paths) {
            if (path.empty() || path.front() != '/') {
                return failure("cannot access '" + path + "': " + std::strerror(reason), false);
            }
        }
    }
    return planRun(paths, here.value_or("/"));
}

} // namespace quorvel
