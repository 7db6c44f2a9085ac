#pragma once

#include "engine/RunView.h"

#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace quorvel::test {

// A main window that records every call in order and answers with the values set on it.
class RecordingView : public RunView {
public:
    CompareMode mode = CompareMode::DirectoryWithDirectory;
    std::string left;
    std::string right;
    std::vector<std::string> leftSelection;
    std::optional<std::string> rightSelection;
    CompareOptions options;
    bool answerYes = false;
    // Runs at every processEvents, with the count of calls so far (1 for the first).
    std::function<void(int)> onProcessEvents;
    // Runs when the directory status is shown: in a directory run, once the sizes are summed and
    // before the first pair.
    std::function<void()> onDirectoryStatusShown;

    std::vector<std::string> calls;
    std::vector<int> progressPositions;
    std::vector<std::string> fileStatuses;
    // Each noted path with the system's reason, apart from the calls.
    std::vector<std::pair<std::string, int>> readProblems;
    int processEventsCount = 0;
    bool progressShown = false;

    CompareMode compareMode() override;
    std::string leftDirectory() override;
    std::string rightDirectory() override;
    std::vector<std::string> selectedLeftFiles() override;
    std::optional<std::string> selectedRightFile() override;
    CompareOptions compareOptions() override;
    std::string filterCaption() override { return "filter"; }
    std::string fastCaption() override { return "Fast comparison (compares only size)"; }

    void setControlsEnabled(bool enabled) override;
    void setSideCaptionsVisible(bool visible) override;
    void setProgressVisible(bool visible) override;
    bool progressVisible() override { return progressShown; }
    void setProgress(int percent) override;
    void setAbortVisible(bool visible) override;
    void setFileStatus(std::string_view text) override;
    void setFileStatusVisible(bool visible) override;
    void setDirectoryStatus(std::string_view text) override;
    void setDirectoryStatusVisible(bool visible) override;
    void setGuidance(std::string_view line1, std::string_view line2) override;
    void processEvents() override;
    void noteReadProblem(std::string_view path, int errorCode) override {
        readProblems.emplace_back(std::string(path), errorCode);
    }
    void showError(std::string_view text, std::string_view caption) override;
    bool askYesNo(std::string_view text, std::string_view caption, Icon icon) override;
    void showReport() override;
};

} // namespace quorvel::test
