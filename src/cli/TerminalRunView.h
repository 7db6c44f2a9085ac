#pragma once

#include "engine/RunPlan.h"
#include "engine/RunView.h"

#include <cstdio>
#include <functional>
#include <string>

namespace quorvel {

// The main window's part in a run, played on a terminal: the selections come from the command
// line, the status labels become one live line on standard error, and an interrupt plays the
// abort button.
class TerminalRunView : public RunView {
public:
    TerminalRunView(RunPlan plan, CompareOptions options, std::string filterCaption,
                    std::string fastCaption, bool showProgress, std::FILE* progressStream);

    // Called when input is handled; returns true once the user has asked to stop.
    void setInterruptCheck(std::function<bool()> interrupted) {
        interrupted_ = std::move(interrupted);
    }
    void setAbort(std::function<void()> abort) { abort_ = std::move(abort); }

    CompareMode compareMode() override { return plan_.mode; }
    std::string leftDirectory() override { return plan_.leftDirectory; }
    std::string rightDirectory() override { return plan_.rightDirectory; }
    std::vector<std::string> selectedLeftFiles() override { return plan_.leftNames; }
    std::optional<std::string> selectedRightFile() override { return plan_.rightName; }
    CompareOptions compareOptions() override { return options_; }
    std::string filterCaption() override { return filterCaption_; }
    std::string fastCaption() override { return fastCaption_; }

    void setControlsEnabled(bool) override {}
    void setSideCaptionsVisible(bool) override {}
    void setProgressVisible(bool visible) override;
    bool progressVisible() override { return progressVisible_; }
    void setProgress(int percent) override;
    void setAbortVisible(bool) override {}
    void setFileStatus(std::string_view text) override;
    void setFileStatusVisible(bool visible) override;
    void setDirectoryStatus(std::string_view) override {}
    void setDirectoryStatusVisible(bool) override {}
    void setGuidance(std::string_view, std::string_view) override {}
    bool showsStatusTexts() override { return showProgress_; }

    void processEvents() override;
    // One line on standard error per path, as diff and cmp do.
    void noteReadProblem(std::string_view path, int errorCode) override;
    bool hadReadProblems() const { return hadReadProblems_; }

    void showError(std::string_view text, std::string_view caption) override;
    bool askYesNo(std::string_view, std::string_view, Icon) override { return false; }
    void showReport() override {}

private:
    void redraw();

    RunPlan plan_;
    CompareOptions options_;
    std::string filterCaption_;
    std::string fastCaption_;
    bool showProgress_;
    std::FILE* stream_;
    std::function<bool()> interrupted_;
    std::function<void()> abort_;

    bool hadReadProblems_ = false;
    bool progressVisible_ = false;
    bool fileStatusVisible_ = false;
    int percent_ = 0;
    std::string fileStatus_;
    std::string shown_;
};

} // namespace quorvel
