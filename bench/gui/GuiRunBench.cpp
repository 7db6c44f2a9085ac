// The window's side of make bench.
//   gui-run-bench run LEFT RIGHT      one directory run in the main window, as from the toolbar;
//                                     exits 0 when all is equal, 1 when some differ
//   gui-run-bench abort LEFT RIGHT N  N runs, each aborted by a click from a timer halfway through
//                                     (as timed by one whole run first, sooner if a run ends before
//                                     it); prints the median and the longest time from the click's
//                                     due moment to the run's closing question, in milliseconds
// Settings go to a temporary directory; the window is shown on whatever platform Qt is given.

#include "engine/PosixFileAccess.h"
#include "gui/Dialogs.h"
#include "gui/MainWindow.h"
#include "lang/LanguageStrings.h"
#include "report/Report.h"
#include "settings/SettingsStore.h"

#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <vector>

using namespace quorvel;

namespace {

class QuietDialogs : public Dialogs {
public:
    void showFailure(QWidget*, const QString& message) override {
        std::fprintf(stderr, "gui-run-bench: %s\n", qPrintable(message));
        failed = true;
    }
    void showMessage(QWidget*, const QString& text, const QString&, QMessageBox::Icon) override {
        showFailure(nullptr, text);
    }
    bool askYesNo(QWidget*, const QString&, const QString&, QMessageBox::Icon) override {
        if (onQuestion) {
            onQuestion();
        }
        return false;
    }
    std::optional<QString> chooseDirectory(QWidget*, const QString&, const QString&) override {
        return std::nullopt;
    }

    bool failed = false;
    std::function<void()> onQuestion;
};

QAbstractButton* button(QWidget& window, const char* name) {
    return window.findChild<QAbstractButton*>(QLatin1StringView(name));
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quorvel 2.1"));
    const QString command = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
    if (!((command == QLatin1StringView("run") && argc == 4) ||
          (command == QLatin1StringView("abort") && argc == 5))) {
        std::fprintf(stderr, "usage: gui-run-bench run LEFT RIGHT | abort LEFT RIGHT RUNS\n");
        return 2;
    }
    QTemporaryDir settingsDirectory;
    SettingsStore settings(settingsDirectory.filePath(QStringLiteral("settings.reg")));
    settings.openKey(QStringLiteral("\\Software\\Quorvel"), true);
    settings.writeInteger(QStringLiteral("Language"), kEnglish);
    settings.writeString(QStringLiteral("CompDir1"), QString::fromLocal8Bit(argv[2]));
    settings.writeString(QStringLiteral("CompDir2"), QString::fromLocal8Bit(argv[3]));
    settings.closeKey();

    QuietDialogs dialogs;
    LanguageStrings strings;
    Report report;
    PosixFileAccess files;
    MainWindow window(strings, report, files, settings, dialogs);
    window.show();
    window.activateWindow();
    // The first activation applies the language; a mode chosen before it would be released.
    QElapsedTimer waited;
    waited.start();
    while (!window.isActiveWindow() && waited.elapsed() < 5000) {
        QApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    }
    QApplication::processEvents();
    button(window, "SpeedButton3")->click();

    if (command == QLatin1StringView("run")) {
        button(window, "SpeedButton4")->click();
        if (dialogs.failed) {
            return 2;
        }
        return window.runState().counters.differentCount > 0 ? 1 : 0;
    }

    const int runs = std::max(1, std::atoi(argv[4]));
    QElapsedTimer whole;
    whole.start();
    button(window, "SpeedButton4")->click();
    qint64 clickAfterMs = whole.elapsed() / 2;
    std::vector<double> latencies;
    QTimer click;
    click.setSingleShot(true);
    click.setTimerType(Qt::PreciseTimer);
    QObject::connect(&click, &QTimer::timeout, &window,
                     [&window] { button(window, "BitBtn1")->click(); });
    while (static_cast<int>(latencies.size()) < runs) {
        QElapsedTimer clock;
        qint64 asked = -1;
        dialogs.onQuestion = [&] { asked = clock.nsecsElapsed(); };
        click.start(static_cast<int>(clickAfterMs));
        clock.start();
        button(window, "SpeedButton4")->click();
        click.stop(); // a click still due must not fall into the next run
        if (window.runState().runInterrupted && asked >= 0) {
            latencies.push_back(static_cast<double>(asked) / 1e6 -
                                static_cast<double>(clickAfterMs));
        } else if (clickAfterMs > 0) {
            clickAfterMs /= 2; // a quicker run than the first: click sooner
        } else {
            std::fprintf(stderr, "gui-run-bench: the run ended before the click\n");
            return 2;
        }
    }
    std::sort(latencies.begin(), latencies.end());
    std::printf("%.1f %.1f\n", latencies[latencies.size() / 2], latencies.back());
    return 0;
}
