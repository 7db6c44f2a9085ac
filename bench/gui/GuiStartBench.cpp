// The window's start-up and file list for make bench.
//   gui-start-bench start      builds the main window as the program does, shows it and exits at
//                              its first paint (timed from outside, process start included)
//   gui-start-bench list DIR   shows the window in the file-with-file mode, then prints the
//                              milliseconds from DIR chosen through the left Browse... button to
//                              the left list painted with its files, and the number of files listed
// Settings go to a temporary directory with the language already chosen, so no chooser shows.

#include "engine/PosixFileAccess.h"
#include "gui/MainWindow.h"
#include "gui/StandardDialogs.h"
#include "lang/LanguageStrings.h"
#include "report/Report.h"
#include "settings/SettingsStore.h"

#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QListView>
#include <QTemporaryDir>

#include <cstdio>
#include <optional>
#include <utility>

using namespace quorvel;

namespace {

// Ends the event loop at the first paint of the watched widget.
class FirstPaint : public QObject {
public:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint && !painted) {
            painted = true;
            QApplication::exit(0);
        }
        return false;
    }
    bool painted = false;
};

// The folder chooser answers at once with the directory to list.
class ChosenDirectory : public StandardDialogs {
public:
    explicit ChosenDirectory(QString directory) : directory_(std::move(directory)) {}
    std::optional<QString> chooseDirectory(QWidget*, const QString&, const QString&) override {
        return directory_;
    }

private:
    QString directory_;
};

} // namespace

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quorvel 2.1"));
    const QString command = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
    const bool start = command == QLatin1StringView("start") && argc == 2;
    const bool list = command == QLatin1StringView("list") && argc == 3;
    if (!start && !list) {
        std::fprintf(stderr, "usage: gui-start-bench start | list DIR\n");
        return 2;
    }
    QTemporaryDir settingsDirectory;
    SettingsStore settings(settingsDirectory.filePath(QStringLiteral("settings.reg")));
    settings.openKey(QStringLiteral("\\Software\\Quorvel"), true);
    settings.writeInteger(QStringLiteral("Language"), kEnglish);
    settings.closeKey();

    ChosenDirectory dialogs(list ? QString::fromLocal8Bit(argv[2]) : QString());
    LanguageStrings strings;
    Report report;
    PosixFileAccess files;
    MainWindow window(strings, report, files, settings, dialogs);
    FirstPaint firstPaint;
    window.installEventFilter(&firstPaint);
    window.showAtStart();
    QApplication::exec();
    if (start) {
        return firstPaint.painted ? 0 : 2;
    }

    // The first activation applies the language and releases any mode chosen before it.
    window.activateWindow();
    QElapsedTimer waited;
    waited.start();
    while (!window.isActiveWindow() && waited.elapsed() < 5000) {
        QApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    }
    QApplication::processEvents();
    auto* leftList = window.findChild<QListView*>(QStringLiteral("FileListBox1"));
    window.findChild<QAbstractButton*>(QStringLiteral("SpeedButton1"))->click();
    QApplication::processEvents();
    QElapsedTimer clock;
    clock.start();
    window.findChild<QAbstractButton*>(QStringLiteral("BitBtn2"))->click();
    leftList->viewport()->repaint();
    const double ms = static_cast<double>(clock.nsecsElapsed()) / 1e6;
    const int listed = leftList->model()->rowCount();
    std::printf("%.1f %d\n", ms, listed);
    return listed > 0 ? 0 : 2;
}
