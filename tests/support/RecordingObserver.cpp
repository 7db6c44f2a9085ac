#include "support/RecordingObserver.h"

namespace quorvel::test {

void RecordingObserver::runEnded(bool interrupted) {
    calls.push_back(interrupted ? "runEnded interrupted" : "runEnded");
}

void RecordingObserver::directoryBegun(std::string_view relativePath) {
    calls.push_back("dirStatus " +
                    (relativePath.empty() ? std::string(".") : std::string(relativePath)) + "/");
}

void RecordingObserver::pairBegun(std::string_view name) {
    pairName_ = name;
    fileStatuses.push_back(pairName_);
    if (onPairBegun) {
        onPairBegun(name);
    }
}

void RecordingObserver::bytesCompared(const RunBytes& bytes) {
    if (bytes.blockRead) {
        fileStatuses.push_back(pairName_ + "  " + std::to_string(bytes.pairPercent()) + "%");
    }
    if (showsProgress) {
        progressPositions.push_back(bytes.runPercent());
    }
}

bool RecordingObserver::mayGoOn() {
    ++processEventsCount;
    if (onProcessEvents) {
        onProcessEvents(processEventsCount);
    }
    return true;
}

} // namespace quorvel::test
