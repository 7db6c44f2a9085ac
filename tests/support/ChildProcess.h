#pragma once

#include <functional>
#include <string>
#include <vector>

namespace quorvel::test {

struct ChildResult {
    int exitCode = -1; // 128 + signal when killed by one
    std::string out;
    std::string err;
};

// Runs a program to its end in `directory`, capturing both output streams. `onErrorOutput`, when
// given, sees the standard error text gathered so far each time more arrives, with the child's
// process id, so a test can act on what the program says while it runs.
ChildResult runChild(const std::vector<std::string>& argv, const std::string& directory,
                     const std::function<void(const std::string&, int)>& onErrorOutput = {});

// Starts a program in `directory` with its standard output and error on the given descriptors and
// SIGPIPE as a fresh process has it; returns its process id.
int startChild(const std::vector<std::string>& argv, const std::string& directory, int outFd,
               int errFd);
// Waits for a started program's end: its exit status, or 128 + the signal that killed it.
int waitChild(int pid);

} // namespace quorvel::test
