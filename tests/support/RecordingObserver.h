#pragma once

#include "engine/RunObserver.h"

#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace quorvel::test {

// What a run told its window, in order, with hooks that act as the window would meanwhile.
class RecordingObserver : public RunObserver {
public:
    // Runs at every poll, with the count of polls so far (1 for the first).
    std::function<void(int)> onProcessEvents;
    // In a directory run, once the sizes are summed and before the first pair.
    std::function<void()> onDirectoryStatusShown;
    // As each pair begins, with its name.
    std::function<void(std::string_view)> onPairBegun;
    // As the window, which has a progress bar in a directory run only.
    bool showsProgress = true;

    std::vector<std::string> calls;
    std::vector<int> progressPositions;
    std::vector<std::string> fileStatuses;
    // Each told path with the system's reason.
    std::vector<std::pair<std::string, int>> readProblems;
    int processEventsCount = 0;

    void runStarted() override { calls.push_back("runStarted"); }
    void runEnded(bool interrupted) override;
    void directoryBegun(std::string_view relativePath) override;
    void pairBegun(std::string_view name) override;
    void bytesCompared(const RunBytes& bytes) override;
    void readProblem(std::string_view path, int errorCode) override {
        readProblems.emplace_back(std::string(path), errorCode);
    }
    // Told as "MANIFEST: recorded: PATH".
    void recordedProblem(std::string_view manifest, std::string_view path, int errorCode) override {
        readProblems.emplace_back(std::string(manifest) + ": recorded: " + std::string(path),
                                  errorCode);
    }
    bool mayGoOn() override;

private:
    std::string pairName_;
};

} // namespace quorvel::test
