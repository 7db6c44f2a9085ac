#include "cli/RunObserverFanOut.h"

namespace quorvel {

RunObserverFanOut::RunObserverFanOut(std::vector<RunObserver*> observers)
    : observers_(std::move(observers)) {}

void RunObserverFanOut::runStarted() {
    for (auto* observer : observers_) {
        observer->runStarted();
    }
}

void RunObserverFanOut::runEnded(bool interrupted) {
    for (auto* observer : observers_) {
        observer->runEnded(interrupted);
    }
}

void RunObserverFanOut::directoryBegun(std::string_view relativePath) {
    for (auto* observer : observers_) {
        observer->directoryBegun(relativePath);
    }
}

void RunObserverFanOut::pairBegun(std::string_view name) {
    for (auto* observer : observers_) {
        observer->pairBegun(name);
    }
}

void RunObserverFanOut::bytesCompared(const RunBytes& bytes) {
    for (auto* observer : observers_) {
        observer->bytesCompared(bytes);
    }
}

void RunObserverFanOut::pairCounted(const PairRecord& pair, const RunCounters& counters) {
    for (auto* observer : observers_) {
        observer->pairCounted(pair, counters);
    }
}

void RunObserverFanOut::readProblem(std::string_view path, int errorCode) {
    for (auto* observer : observers_) {
        observer->readProblem(path, errorCode);
    }
}

void RunObserverFanOut::recordedProblem(std::string_view manifest, std::string_view path,
                                        int errorCode) {
    for (auto* observer : observers_) {
        observer->recordedProblem(manifest, path, errorCode);
    }
}

bool RunObserverFanOut::mayGoOn() {
    // Every observer is asked: one may count the questions.
    bool goOn = true;
    for (auto* observer : observers_) {
        goOn = observer->mayGoOn() && goOn;
    }
    return goOn;
}

} // namespace quorvel
