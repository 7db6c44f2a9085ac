#pragma once

#include "engine/ComparisonRun.h"
#include "engine/RateMeter.h"
#include "engine/RunObserver.h"
#include "gui/RunWidgets.h"
#include "report/ReportRecorder.h"

#include <QElapsedTimer>

#include <functional>
#include <optional>
#include <string>

class QWidget;

namespace quorvel {

class Dialogs;
class FileAccess;
class LanguageStrings;
class Report;

// The main window's runs, from the start button to the answer to the closing question: the
// controls of the window in their order around the run's steps. The texts and the progress bar a
// run sets reach the screen at most about 30 times a second; showing and hiding controls and the
// boxes take effect at once.
class RunController : public RunObserver {
public:
    static constexpr int kPaintIntervalMs = 33;
    static constexpr int kEventIntervalMs = 10;

    RunController(QWidget& window, RunWidgets widgets, Dialogs& dialogs,
                  const LanguageStrings& strings, Report& report, FileAccess& files);

    // The start button. The window is idle again afterwards, also when a failure passes through.
    void start(const RunRequest& request);
    // The abort button: seen the next time the run asks whether it may go on.
    void abort() { abortRequested_ = true; }
    // The window asks to close: a run in progress stops, and the window closes once it has
    // returned. False when there is no run.
    bool closeAfterRun();
    bool isRunning() const { return running_; }
    const RunState& state() const { return run_.state(); }
    // What the view-report button does, for a run whose user asks to see the report.
    void setShowReport(std::function<void()> showReport) { showReport_ = std::move(showReport); }

    void runStarted() override;
    void directoryBegun(std::string_view relativePath) override;
    void pairBegun(std::string_view name) override;
    void bytesCompared(const RunBytes& bytes) override;
    void pairCounted(const PairRecord& pair, const RunCounters& counters) override;
    bool mayGoOn() override;

private:
    void runSteps(const RunRequest& request);
    void askToShowReport();
    void restoreIdle();
    void setControlsEnabled(bool enabled);
    void setVisible(QWidget* widget, bool visible);
    // Puts what is waiting on the screen.
    void flush();
    // The rate and the time left, inside the progress bar a few times a second.
    void measureRate(const RunBytes& bytes);
    void setBarText(const QString& text);

    QWidget& window_;
    RunWidgets widgets_;
    Dialogs& dialogs_;
    const LanguageStrings& strings_;
    std::string decimalSeparator_;
    ReportRecorder recorder_;
    ComparisonRun run_;
    std::function<void()> showReport_;

    bool running_ = false;
    bool abortRequested_ = false;
    bool closeRequested_ = false;
    bool fast_ = false;

    QElapsedTimer sincePaint_;
    QElapsedTimer sinceEvents_;
    bool paintNow_ = true;
    std::string pairName_;
    std::optional<std::string> fileStatus_;
    std::optional<int> pairPercent_;
    std::optional<std::string> directoryStatus_;
    std::optional<RunCounters> counters_;
    std::optional<int> progress_;
    RateMeter meter_;     // the bytes read, for the rate shown
    RateMeter workMeter_; // bytes and pairs, for the time left
    QElapsedTimer sinceStart_;
    qint64 lastSampleMs_ = 0;
    std::optional<QString> barText_;
};

} // namespace quorvel
