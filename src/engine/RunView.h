#pragma once

#include "engine/CompareMode.h"
#include "engine/CompareOptions.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quorvel {

// What a comparison run reads from and shows in the main window. The window, the command-line
// companion and the tests each implement it; the run calls it in a fixed order that the window
// relies on.
class RunView {
public:
    enum class Icon { Stop, Information };

    virtual ~RunView() = default;

    // Read when a run starts.
    virtual CompareMode compareMode() = 0;
    virtual std::string leftDirectory() = 0;
    virtual std::string rightDirectory() = 0;
    virtual std::vector<std::string> selectedLeftFiles() = 0; // in list order
    virtual std::optional<std::string> selectedRightFile() = 0;
    virtual CompareOptions compareOptions() = 0;
    virtual std::string filterCaption() = 0; // the filter label's caption
    virtual std::string fastCaption() = 0;   // the fast check box's caption

    // Shown while the run goes on.
    virtual void setControlsEnabled(bool enabled) = 0; // panels, toolbar, options group
    virtual void setSideCaptionsVisible(bool visible) = 0;
    virtual void setProgressVisible(bool visible) = 0;
    virtual bool progressVisible() = 0;
    virtual void setProgress(int percent) = 0;
    virtual void setAbortVisible(bool visible) = 0;
    virtual void setFileStatus(std::string_view text) = 0;
    virtual void setFileStatusVisible(bool visible) = 0;
    virtual void setDirectoryStatus(std::string_view text) = 0;
    virtual void setDirectoryStatusVisible(bool visible) = 0;
    virtual void setGuidance(std::string_view line1, std::string_view line2) = 0;
    // False when nobody looks at the status labels and the guidance lines, so that their texts
    // need not be built after every block and pair.
    virtual bool showsStatusTexts() { return true; }

    // Lets pending user input be handled; the abort button can act only here.
    virtual void processEvents() = 0;

    // A file or directory that could not be read, with the system's reason (an errno value). The
    // pair's result says what the report needs; a view may tell more. A file missing on the
    // right is a difference, not a problem, and is not noted.
    virtual void noteReadProblem(std::string_view path, int errorCode) {
        (void)path;
        (void)errorCode;
    }

    // Modal boxes and the report window.
    virtual void showError(std::string_view text, std::string_view caption) = 0;
    virtual bool askYesNo(std::string_view text, std::string_view caption, Icon icon) = 0;
    virtual void showReport() = 0;
};

} // namespace quorvel
