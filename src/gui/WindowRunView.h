#pragma once

#include "engine/RunView.h"

#include <QElapsedTimer>

class QWidget;

#include <optional>
#include <string>
#include <utility>

namespace quorvel {

class MainWindow;

// The main window's part in a run. The run calls it in its own order; the texts and the progress
// bar it sets reach the screen at most about 30 times a second, while showing and hiding controls
// and the boxes take effect at once.
class WindowRunView : public RunView {
public:
    static constexpr int kPaintIntervalMs = 33;
    static constexpr int kEventIntervalMs = 10;

    explicit WindowRunView(MainWindow& window);

    CompareMode compareMode() override;
    std::string leftDirectory() override;
    std::string rightDirectory() override;
    std::vector<std::string> selectedLeftFiles() override;
    std::optional<std::string> selectedRightFile() override;
    CompareOptions compareOptions() override;
    std::string filterCaption() override;
    std::string fastCaption() override;

    void setControlsEnabled(bool enabled) override;
    void setSideCaptionsVisible(bool visible) override;
    void setProgressVisible(bool visible) override;
    bool progressVisible() override;
    void setProgress(int percent) override;
    void setAbortVisible(bool visible) override;
    void setFileStatus(std::string_view text) override;
    void setFileStatusVisible(bool visible) override;
    void setDirectoryStatus(std::string_view text) override;
    void setDirectoryStatusVisible(bool visible) override;
    void setGuidance(std::string_view line1, std::string_view line2) override;

    void processEvents() override;

    void showError(std::string_view text, std::string_view caption) override;
    bool askYesNo(std::string_view text, std::string_view caption, Icon icon) override;
    void showReport() override;

    // Puts what is waiting on the screen.
    void flush();

private:
    void setVisible(QWidget* widget, bool visible);

    MainWindow& window_;
    QElapsedTimer sincePaint_;
    QElapsedTimer sinceEvents_;
    bool paintNow_ = true;
    std::optional<std::string> fileStatus_;
    std::optional<std::string> directoryStatus_;
    std::optional<std::pair<std::string, std::string>> guidance_;
    std::optional<int> progress_;
};

} // namespace quorvel
