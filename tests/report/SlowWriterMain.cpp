// A report write that stops part-way and waits for a signal to end the process.
// Usage: report_slow_writer TARGET [interrupt-once|plain] [after-a-write]
// With interrupt-once, the first SIGINT only says "interrupted", as the companion's does. With
// after-a-write, a whole write of the earlier report comes first.

#include "report/AtomicFileWriter.h"

#include <csignal>
#include <cstring>
#include <string>
#include <unistd.h>

namespace {

extern "C" void onFirstInterrupt(int) {
    const char said[] = "interrupted\n";
    [[maybe_unused]] const auto n = ::write(2, said, sizeof said - 1);
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        return 2;
    }
    // Ends a test that went wrong instead of hanging it.
    ::alarm(60);
    if (argc > 2 && std::strcmp(argv[2], "interrupt-once") == 0) {
        struct sigaction action {};
        action.sa_handler = onFirstInterrupt;
        sigemptyset(&action.sa_mask);
        action.sa_flags = SA_RESETHAND | SA_RESTART;
        sigaction(SIGINT, &action, nullptr);
    }
    if (argc > 3 && std::strcmp(argv[3], "after-a-write") == 0) {
        quorvel::AtomicFileWriter().replace(argv[1], "earlier report\r\n");
    }
    const quorvel::AtomicFileWriter stalling([](int fd, const char* data, std::size_t size) {
        const ssize_t n = ::write(fd, data, size / 2);
        const char said[] = "writing\n";
        [[maybe_unused]] const auto m = ::write(2, said, sizeof said - 1);
        for (;;) {
            ::pause();
        }
        return n;
    });
    stalling.replace(argv[1], std::string(100000, 'x'));
    return 0;
}
