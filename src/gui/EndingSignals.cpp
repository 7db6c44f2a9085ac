#include "gui/EndingSignals.h"

#include <QSocketNotifier>

#include <array>
#include <atomic>
#include <csignal>

#include <fcntl.h>
#include <unistd.h>

namespace quorvel {

namespace {

constexpr std::array<int, 3> kSignals = {SIGTERM, SIGINT, SIGHUP};

std::atomic<int> signalPipe{-1}; // the write end of the live instance's pipe
std::atomic<bool> received{false};
std::array<struct sigaction, kSignals.size()> previous{};

// Only async-signal-safe calls here.
extern "C" void onClosingSignal(int signal) {
    if (received.exchange(true)) {
        ::_exit(128 + signal); // asked twice: no more waiting for the close
    }
    const char byte = static_cast<char>(signal);
    [[maybe_unused]] const ssize_t written = ::write(signalPipe.load(), &byte, 1);
}

} // namespace

EndingSignals::EndingSignals(QObject* parent) : QObject(parent) {
    std::array<int, 2> ends{};
    if (signalPipe.load() >= 0 || ::pipe2(ends.data(), O_CLOEXEC | O_NONBLOCK) != 0) {
        return;
    }
    readEnd_ = FileDescriptor(ends[0]);
    writeEnd_ = FileDescriptor(ends[1]);
    signalPipe = ends[1];
    received = false;
    notifier_ = new QSocketNotifier(readEnd_.get(), QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, &EndingSignals::readPipe);
    struct sigaction ours {};
    ours.sa_handler = onClosingSignal;
    sigemptyset(&ours.sa_mask);
    // The same signal again finds the default action and ends the process.
    ours.sa_flags = SA_RESTART | SA_RESETHAND;
    for (std::size_t i = 0; i < kSignals.size(); ++i) {
        // One the program was started to ignore (nohup) stays ignored.
        if (sigaction(kSignals[i], nullptr, &previous[i]) == 0 &&
            ((previous[i].sa_flags & SA_SIGINFO) != 0 || previous[i].sa_handler != SIG_IGN)) {
            sigaction(kSignals[i], &ours, nullptr);
        }
    }
}

EndingSignals::~EndingSignals() {
    if (notifier_ == nullptr) {
        return;
    }
    for (std::size_t i = 0; i < kSignals.size(); ++i) {
        sigaction(kSignals[i], &previous[i], nullptr);
    }
    delete notifier_;
    signalPipe = -1;
}

void EndingSignals::readPipe() {
    char bytes[16];
    while (::read(readEnd_.get(), bytes, sizeof bytes) > 0) {
    }
    emit closeRequested();
}

} // namespace quorvel
