// Opens the report window on a report of many lines and prints how long it took and how much
// memory it needed: "lines N text-bytes B open-ms T scroll-max-ms S rss-growth-bytes R".
#include "gui/ReportWindow.h"
#include "lang/LanguageStrings.h"
#include "report/Report.h"
#include "settings/ReportWindowSettings.h"

#include "gui/ReportView.h"
#include <QApplication>
#include <QElapsedTimer>
#include <QScrollBar>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>

#include <sys/resource.h>

namespace {

long peakResidentKiB() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

// Lines shaped like those of a directory run: blocks of differing and equal pairs.
quorvel::Report makeReport(std::size_t lines) {
    quorvel::Report report;
    std::string line;
    for (std::size_t i = 0; i < lines; ++i) {
        line = i % 7 == 0 ? ">>>> " : "";
        line +=
            "project/src/module" + std::to_string(i / 1000) + "/file" + std::to_string(i) + ".dat";
        line += i % 7 == 0 ? "   Different contents" : "   Equal";
        report.appendReportLine(line);
    }
    return report;
}

} // namespace

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM",
            qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QApplication application(argc, argv);
    const std::size_t lines = argc > 1 ? std::strtoull(argv[1], nullptr, 10) : 1000000;

    const quorvel::Report report = makeReport(lines);
    std::size_t textBytes = 0;
    for (std::size_t i = 0; i < report.count(); ++i) {
        textBytes += report.line(i).size() + 1;
    }
    quorvel::LanguageStrings strings;
    quorvel::ReportWindow window(report, strings, quorvel::ReportWindowSettings());
    QApplication::processEvents();
    const long baseKiB = peakResidentKiB();

    QElapsedTimer timer;
    timer.start();
    window.show();
    QApplication::processEvents();
    window.repaint();
    const double openMs = static_cast<double>(timer.nsecsElapsed()) / 1e6;

    // Jumps through the whole text, each followed by a paint: the worst one is the stall a user
    // would feel.
    auto* text = window.findChild<quorvel::ReportView*>(QStringLiteral("RichEdit1"));
    QScrollBar* bar = text->verticalScrollBar();
    double worstMs = 0;
    for (int step = 0; step <= 20; ++step) {
        timer.restart();
        bar->setValue(bar->maximum() / 20 * step);
        text->viewport()->repaint();
        worstMs = std::max(worstMs, static_cast<double>(timer.nsecsElapsed()) / 1e6);
    }
    for (int step = 0; step < 50; ++step) {
        timer.restart();
        bar->triggerAction(QAbstractSlider::SliderPageStepSub);
        text->viewport()->repaint();
        worstMs = std::max(worstMs, static_cast<double>(timer.nsecsElapsed()) / 1e6);
    }
    const long growthKiB = peakResidentKiB() - baseKiB;
    std::printf("lines %zu text-bytes %zu open-ms %.1f scroll-max-ms %.1f rss-growth-bytes %ld\n",
                report.count(), textBytes, openMs, worstMs, growthKiB * 1024);
    return 0;
}
