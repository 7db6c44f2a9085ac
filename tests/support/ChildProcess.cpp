#include "support/ChildProcess.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <poll.h>
#include <stdexcept>
#include <sys/wait.h>
#include <unistd.h>

namespace quorvel::test {

namespace {

void drain(int fd, std::string& into, bool& open) {
    char buffer[4096];
    const auto n = ::read(fd, buffer, sizeof buffer);
    if (n > 0) {
        into.append(buffer, static_cast<std::size_t>(n));
    } else {
        open = false;
    }
}

} // namespace

int startChild(const std::vector<std::string>& argv, const std::string& directory, int outFd,
               int errFd) {
    const pid_t pid = ::fork();
    if (pid < 0) {
        throw std::runtime_error("fork failed");
    }
    if (pid == 0) {
        ::dup2(outFd, 1);
        ::dup2(errFd, 2);
        ::signal(SIGPIPE, SIG_DFL);
        if (::chdir(directory.c_str()) != 0) {
            ::_exit(126);
        }
        std::vector<char*> args;
        for (const auto& a : argv) {
            args.push_back(const_cast<char*>(a.c_str()));
        }
        args.push_back(nullptr);
        ::execv(args[0], args.data());
        ::_exit(127);
    }
    return pid;
}

int waitChild(int pid) {
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

ChildResult runChild(const std::vector<std::string>& argv, const std::string& directory,
                     const std::function<void(const std::string&, int)>& onErrorOutput) {
    int outPipe[2];
    int errPipe[2];
    if (::pipe2(outPipe, O_CLOEXEC) != 0 || ::pipe2(errPipe, O_CLOEXEC) != 0) {
        throw std::runtime_error("pipe failed");
    }
    const int pid = startChild(argv, directory, outPipe[1], errPipe[1]);
    ::close(outPipe[1]);
    ::close(errPipe[1]);
    ChildResult result;
    bool outOpen = true;
    bool errOpen = true;
    while (outOpen || errOpen) {
        pollfd fds[2] = {{outOpen ? outPipe[0] : -1, POLLIN, 0},
                         {errOpen ? errPipe[0] : -1, POLLIN, 0}};
        if (::poll(fds, 2, -1) < 0) {
            continue;
        }
        if (fds[0].revents != 0) {
            drain(outPipe[0], result.out, outOpen);
        }
        if (fds[1].revents != 0) {
            drain(errPipe[0], result.err, errOpen);
            if (onErrorOutput) {
                onErrorOutput(result.err, pid);
            }
        }
    }
    ::close(outPipe[0]);
    ::close(errPipe[0]);
    result.exitCode = waitChild(pid);
    return result;
}

} // namespace quorvel::test
