#include "report/RemovalOnSignal.h"

#include <atomic>
#include <csignal>
#include <unistd.h>

namespace quorvel {

namespace {

constexpr int kSignals[] = {SIGINT, SIGTERM, SIGHUP};
constexpr int kSignalCount = sizeof kSignals / sizeof kSignals[0];

std::atomic<bool> inUse{false};
std::atomic<const char*> armedPath{nullptr};
static_assert(std::atomic<const char*>::is_always_lock_free, "read in a signal handler");
// What each signal did before; a handler of the program is called from ours.
struct sigaction previous[kSignalCount];
bool installed[kSignalCount];

int indexOf(int signal) {
    for (int i = 0; i < kSignalCount; ++i) {
        if (kSignals[i] == signal) {
            return i;
        }
    }
    return -1;
}

bool endsTheProcess(const struct sigaction& action) {
    return (action.sa_flags & SA_SIGINFO) == 0 && action.sa_handler == SIG_DFL;
}

sigset_t ourSignals() {
    sigset_t set;
    sigemptyset(&set);
    for (const int signal : kSignals) {
        sigaddset(&set, signal);
    }
    return set;
}

// Only async-signal-safe calls here.
extern "C" void onEndingSignal(int signal, siginfo_t* info, void* context) {
    const int i = indexOf(signal);
    if (i < 0) {
        return;
    }
    struct sigaction& before = previous[i];
    if (endsTheProcess(before)) {
        if (const char* path = armedPath.load()) {
            ::unlink(path);
        }
        struct sigaction fallback {};
        fallback.sa_handler = SIG_DFL;
        sigemptyset(&fallback.sa_mask);
        sigaction(signal, &fallback, nullptr);
        // Blocked while this handler runs; it ends the process as soon as the handler returns.
        ::raise(signal);
        return;
    }
    const struct sigaction handler = before;
    if ((handler.sa_flags & SA_RESETHAND) != 0) {
        // What the system would have done: the next such signal ends the process.
        before.sa_handler = SIG_DFL;
        before.sa_flags = 0;
    }
    if ((handler.sa_flags & SA_SIGINFO) != 0) {
        handler.sa_sigaction(signal, info, context);
    } else if (handler.sa_handler != SIG_IGN) {
        handler.sa_handler(signal);
    }
}

} // namespace

RemovalOnSignal::RemovalOnSignal() {
    if (inUse.exchange(true)) {
        return;
    }
    active_ = true;
    struct sigaction ours {};
    ours.sa_sigaction = onEndingSignal;
    ours.sa_mask = ourSignals();
    ours.sa_flags = SA_SIGINFO | SA_RESTART;
    for (int i = 0; i < kSignalCount; ++i) {
        installed[i] = false;
        if (sigaction(kSignals[i], nullptr, &previous[i]) != 0 ||
            ((previous[i].sa_flags & SA_SIGINFO) == 0 && previous[i].sa_handler == SIG_IGN)) {
            continue;
        }
        installed[i] = sigaction(kSignals[i], &ours, nullptr) == 0;
    }
}

RemovalOnSignal::~RemovalOnSignal() {
    if (!active_) {
        return;
    }
    // No handler of ours may run while what it reads is put back.
    const sigset_t blocked = ourSignals();
    sigset_t before;
    pthread_sigmask(SIG_BLOCK, &blocked, &before);
    for (int i = 0; i < kSignalCount; ++i) {
        if (installed[i]) {
            sigaction(kSignals[i], &previous[i], nullptr);
        }
    }
    armedPath.store(nullptr);
    pthread_sigmask(SIG_SETMASK, &before, nullptr);
    inUse.store(false);
}

void RemovalOnSignal::arm(const char* path) {
    if (active_) {
        armedPath.store(path);
    }
}

void RemovalOnSignal::disarm() {
    if (active_) {
        armedPath.store(nullptr);
    }
}

} // namespace quorvel
