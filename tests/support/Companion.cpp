#include "support/Companion.h"

#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace quorvel::test {

namespace {

namespace fs = std::filesystem;

std::optional<std::string> findProgram(const std::string& name) {
    for (const char* dir : {"/usr/bin/", "/bin/", "/usr/sbin/", "/sbin/"}) {
        const std::string path = dir + name;
        if (::access(path.c_str(), X_OK) == 0) {
            return path;
        }
    }
    return std::nullopt;
}

std::vector<std::string> withTimeLimit(std::vector<std::string> argv) {
    if (const auto timeout = findProgram("timeout")) {
        argv.insert(argv.begin(), {*timeout, "--signal=KILL", "60"});
    }
    return argv;
}

std::vector<std::string> companionArgv(const std::vector<std::string>& args) {
    std::vector<std::string> argv{QUORVEL_COMPARE_BIN};
    argv.insert(argv.end(), args.begin(), args.end());
    return argv;
}

} // namespace

ChildResult runCompanion(const std::vector<std::string>& args, const std::string& directory) {
    return runChild(withTimeLimit(companionArgv(args)), directory);
}

ChildResult runCompanionUnprivileged(const std::vector<std::string>& args,
                                     const std::string& directory) {
    auto argv = companionArgv(args);
    if (::geteuid() == 0) {
        const auto setpriv = findProgram("setpriv");
        if (!setpriv) {
            return {};
        }
        argv.insert(argv.begin(),
                    {*setpriv, "--reuid=nobody", "--regid=nogroup", "--clear-groups", "--"});
    }
    return runChild(withTimeLimit(argv), directory);
}

std::optional<std::string> noUnprivilegedRun(const std::string& directory) {
    if (::geteuid() == 0 && !findProgram("setpriv")) {
        return "running as root without setpriv to become another user";
    }
    const auto probe = runCompanionUnprivileged({"--version"}, directory);
    if (probe.exitCode != 0) {
        return "the user nobody cannot run " + std::string(QUORVEL_COMPARE_BIN) + " in " +
               directory + " (exit status " + std::to_string(probe.exitCode) + ")";
    }
    return std::nullopt;
}

void openToEveryone(const std::string& root) {
    ::chmod(root.c_str(), 0755);
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
        if (entry.is_symlink()) {
            continue;
        }
        ::chmod(entry.path().c_str(), entry.is_directory() ? 0755 : 0644);
    }
}

} // namespace quorvel::test
