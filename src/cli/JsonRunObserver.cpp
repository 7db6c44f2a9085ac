#include "cli/JsonRunObserver.h"

namespace quorvel {

void JsonRunObserver::runStarted() {
    counters_ = RunCounters{};
    writer_.start();
}

void JsonRunObserver::runEnded(bool interrupted) {
    writer_.end(counters_, interrupted);
}

void JsonRunObserver::pairCounted(const PairRecord& pair, const RunCounters& counters) {
    counters_ = counters;
    writer_.pair(pair);
}

void JsonRunObserver::readProblem(std::string_view path, int errorCode) {
    writer_.trouble(path, errorCode);
}

void JsonRunObserver::recordedProblem(std::string_view manifest, std::string_view path,
                                      int errorCode) {
    writer_.recordedTrouble(manifest, path, errorCode);
}

} // namespace quorvel
