#include "support/RecordingView.h"

namespace quorvel::test {

RunRequest RecordingView::request() const {
    RunRequest request;
    request.mode = mode;
    request.leftDirectory = left;
    request.rightDirectory = right;
    request.leftNames = leftSelection;
    request.rightName = rightSelection;
    request.options = options;
    return request;
}

void RecordingView::runEnded(bool interrupted) {
    calls.push_back(interrupted ? "runEnded interrupted" : "runEnded");
}

void RecordingView::directoryBegun(std::string_view relativePath) {
    calls.push_back("dirStatus " +
                    (relativePath.empty() ? std::string(".") : std::string(relativePath)) + "/");
}

void RecordingView::pairBegun(std::string_view name) {
    pairName_ = name;
    fileStatuses.push_back(pairName_);
    if (onPairBegun) {
        onPairBegun(name);
    }
}

void RecordingView::bytesCompared(const RunBytes& bytes) {
    if (bytes.blockRead) {
        fileStatuses.push_back(pairName_ + "  " + std::to_string(bytes.pairPercent()) + "%");
    }
    if (mode == CompareMode::DirectoryWithDirectory) {
        progressPositions.push_back(bytes.runPercent());
    }
}

bool RecordingView::mayGoOn() {
    ++processEventsCount;
    if (onProcessEvents) {
        onProcessEvents(processEventsCount);
    }
    return true;
}

} // namespace quorvel::test
