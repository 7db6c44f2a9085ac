#include "cli/InterruptSignal.h"

#include <csignal>

namespace quorvel {

namespace {

volatile std::sig_atomic_t received = 0;

extern "C" void onInterrupt(int) {
    received = 1;
}

} // namespace

void watchInterruptSignal() {
    struct sigaction action {};
    action.sa_handler = onInterrupt;
    sigemptyset(&action.sa_mask);
    // Restarted, so that a write or a read under way is not cut short by the interrupt.
    action.sa_flags = SA_RESETHAND | SA_RESTART;
    sigaction(SIGINT, &action, nullptr);
}

bool interruptReceived() {
    return received != 0;
}

} // namespace quorvel
