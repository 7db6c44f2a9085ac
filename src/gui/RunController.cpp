#include "gui/RunController.h"

#include "engine/RunDriver.h"

#include "gui/Dialogs.h"
#include "gui/QtText.h"
#include "lang/LanguageStrings.h"
#include "report/ReportLineFormat.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QLabel>
#include <QProgressBar>
#include <QTimer>

namespace quorvel {

namespace {

MessageKey problemKey(RequestProblem problem) {
    switch (problem) {
    case RequestProblem::NoTwoFiles:
        return MessageKey::errSelectTwoFiles;
    case RequestProblem::NoLeftFile:
        return MessageKey::errSelectLeftFile;
    case RequestProblem::NoMode:
        break;
    }
    return MessageKey::errNoMode;
}

} // namespace

RunController::RunController(QWidget& window, RunWidgets widgets, Dialogs& dialogs,
                             const LanguageStrings& strings, Report& report, FileAccess& files)
    : window_(window), widgets_(std::move(widgets)), dialogs_(dialogs), strings_(strings),
      decimalSeparator_(localeDecimalSeparator()), recorder_(report, strings, decimalSeparator_),
      run_(*this, recorder_, files) {
    // Shown only while a run goes on.
    for (QWidget* widget :
         {static_cast<QWidget*>(widgets_.abortButton), static_cast<QWidget*>(widgets_.fileStatus),
          static_cast<QWidget*>(widgets_.progressBar)}) {
        widget->hide();
    }
    sincePaint_.start();
    sinceEvents_.start();
}

void RunController::start(const RunRequest& request) {
    running_ = true;
    abortRequested_ = false;
    try {
        runSteps(request);
    } catch (...) {
        restoreIdle();
        running_ = false;
        flush();
        if (closeRequested_) {
            QTimer::singleShot(0, &window_, &QWidget::close);
        }
        throw;
    }
    restoreIdle();
    running_ = false;
    flush();
    if (closeRequested_) {
        window_.close();
    }
}

bool RunController::closeAfterRun() {
    if (!running_) {
        return false;
    }
    // The run's handler is still on the stack: stop it, and close once it has returned.
    closeRequested_ = true;
    abortRequested_ = true;
    return true;
}

void RunController::runSteps(const RunRequest& request) {
    setControlsEnabled(false);
    const bool directories = request.mode == CompareMode::DirectoryWithDirectory;
    if (directories) {
        for (QLabel* caption : widgets_.sideCaptions) {
            setVisible(caption, false);
        }
        progress_ = 0;
        setVisible(widgets_.progressBar, true);
    }
    if (const auto problem = ComparisonRun::requestProblem(request)) {
        flush();
        dialogs_.showMessage(&window_, toQString(strings_.text(problemKey(*problem))),
                             toQString(strings_.text(MessageKey::capError)), QMessageBox::Critical);
        return;
    }
    fast_ = request.options.fast;
    run_.begin(request);
    RunStages stages;
    stages.sumSizes = directories;
    stages.sizing = [this] {
        setVisible(widgets_.fileStatus, true);
        fileStatus_ = std::string(strings_.text(MessageKey::txtComputingTotal));
    };
    stages.sized = [this] {
        fileStatus_ = "";
        directoryStatus_ = "";
        setVisible(widgets_.directoryStatus, true);
    };
    if (!directories) {
        stages.pairing = [this] {
            fileStatus_ = "";
            setVisible(widgets_.fileStatus, true);
        };
    }
    stages.paired = [this] {
        setVisible(widgets_.abortButton, false);
        setVisible(widgets_.fileStatus, false);
        setVisible(widgets_.directoryStatus, false);
    };
    driveRun(run_, stages);
    askToShowReport();
}

void RunController::askToShowReport() {
    flush();
    if (closeRequested_) {
        return; // the window is closing: nobody is left to read the report
    }
    const bool interrupted = run_.state().runInterrupted;
    const bool show =
        dialogs_.askYesNo(&window_,
                          toQString(strings_.text(interrupted ? MessageKey::askViewReportInterrupted
                                                              : MessageKey::askViewReportFinished)),
                          toQString(strings_.text(MessageKey::capMessage)),
                          interrupted ? QMessageBox::Critical : QMessageBox::Information);
    if (show && showReport_) {
        showReport_();
    }
}

void RunController::restoreIdle() {
    setControlsEnabled(true);
    sinceStart_.invalidate();
    setBarText({});
    setVisible(widgets_.abortButton, false);
    setVisible(widgets_.fileStatus, false);
    setVisible(widgets_.directoryStatus, false);
    setVisible(widgets_.progressBar, false);
    for (QLabel* caption : widgets_.sideCaptions) {
        setVisible(caption, true);
    }
}

void RunController::setControlsEnabled(bool enabled) {
    if (enabled) {
        flush();
    }
    for (QWidget* control : widgets_.controls) {
        control->setEnabled(enabled);
    }
}

void RunController::setVisible(QWidget* widget, bool visible) {
    if (widget->isVisibleTo(&window_) == visible) {
        return;
    }
    flush();
    widget->setVisible(visible);
    paintNow_ = true;
}

void RunController::runStarted() {
    counters_ = RunCounters{};
    setVisible(widgets_.abortButton, true);
}

void RunController::directoryBegun(std::string_view relativePath) {
    directoryStatus_ = relativePath.empty() ? std::string("./") : std::string(relativePath) + "/";
}

void RunController::pairBegun(std::string_view name) {
    pairName_ = name;
    fileStatus_ = pairName_;
    pairPercent_.reset();
    setVisible(widgets_.fileStatus, true);
}

void RunController::bytesCompared(const RunBytes& bytes) {
    if (bytes.blockRead) {
        pairPercent_ = bytes.pairPercent();
        fileStatus_.reset();
    }
    if (widgets_.progressBar->isVisibleTo(&window_)) {
        progress_ = bytes.runPercent();
        measureRate(bytes);
    }
}

void RunController::measureRate(const RunBytes& bytes) {
    constexpr qint64 kSampleMs = 250;
    if (!sinceStart_.isValid()) {
        // The pairs' own rate: the size pass before them reads nothing.
        sinceStart_.start();
        lastSampleMs_ = 0;
        meter_.start(0);
        workMeter_.start(0);
        return;
    }
    const qint64 now = sinceStart_.elapsed();
    if (now - lastSampleMs_ < kSampleMs) {
        return;
    }
    lastSampleMs_ = now;
    meter_.add(static_cast<double>(now) / 1000.0, bytes.runDone);
    workMeter_.add(static_cast<double>(now) / 1000.0, bytes.workDone());
    // The rate falls while only empty files are done; the time left counts them.
    const auto rate = meter_.bytesPerSecond();
    const auto left = workMeter_.secondsLeft(bytes.workTotal());
    if (rate && left) {
        barText_ = toQString(strings_.text(MessageKey::txtRateAndTimeLeft))
                       .arg(toQString(formatByteSize(*rate, decimalSeparator_)),
                            toQString(formatDuration(*left)));
    }
}

void RunController::setBarText(const QString& text) {
    widgets_.progressBar->setFormat(text);
    widgets_.progressBar->setTextVisible(!text.isEmpty());
    // What is drawn on the bar (the rate and the time left) is read out too.
    widgets_.progressBar->setAccessibleDescription(text);
}

void RunController::pairCounted(const PairRecord&, const RunCounters& counters) {
    counters_ = counters;
}

bool RunController::mayGoOn() {
    // Asking the window system for input costs a system call, so it is asked at most every few
    // milliseconds; that is still well within what a click needs to feel answered.
    const bool paintDue = paintNow_ || sincePaint_.elapsed() >= kPaintIntervalMs;
    if (paintDue || sinceEvents_.elapsed() >= kEventIntervalMs) {
        if (paintDue) {
            flush();
            paintNow_ = false;
        }
        QCoreApplication::processEvents();
        sinceEvents_.restart();
    }
    return !abortRequested_;
}

void RunController::flush() {
    if (pairPercent_) {
        widgets_.setText(widgets_.fileStatus,
                         toQString(pairName_ + "  " + std::to_string(*pairPercent_) + "%"));
        pairPercent_.reset();
    } else if (fileStatus_) {
        widgets_.setText(widgets_.fileStatus, toQString(*fileStatus_));
    }
    fileStatus_.reset();
    if (directoryStatus_) {
        widgets_.setText(widgets_.directoryStatus, toQString(*directoryStatus_));
        directoryStatus_.reset();
    }
    if (counters_) {
        widgets_.setText(widgets_.guidance[0],
                         toQString(formatCountLine(*counters_, strings_, decimalSeparator_)));
        widgets_.setText(widgets_.guidance[1],
                         toQString(formatEqualLine(*counters_, fast_, strings_)));
        counters_.reset();
    }
    if (progress_) {
        widgets_.progressBar->setValue(*progress_);
        progress_.reset();
    }
    if (barText_) {
        setBarText(*barText_);
        barText_.reset();
    }
    sincePaint_.restart();
}

} // namespace quorvel
