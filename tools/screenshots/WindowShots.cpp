// Saves pictures of the main window in its mode states, during a directory run and in every
// language (main-eng.png ... main-esp.png, and every mode state under languages/), for the README
// and for checking that every text fits. Run it under an X server.
//
// Usage: quorvel-window-shots OUTPUT_DIR LEFT_DIR RIGHT_DIR
// The settings go wherever XDG_CONFIG_HOME points; the working directory is the left directory.

#include "engine/PosixFileAccess.h"
#include "gui/Dialogs.h"
#include "gui/MainWindow.h"
#include "lang/LanguageStrings.h"
#include "report/Report.h"
#include "settings/SettingsStore.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QListView>
#include <QTimer>

#include <chrono>
#include <cstdio>
#include <thread>

using namespace quorvel;

namespace {

// Answers every box at once: runs end without showing the report.
class SilentDialogs : public Dialogs {
public:
    void showFailure(QWidget*, const QString& message) override {
        std::fprintf(stderr, "failure: %s\n", qPrintable(message));
    }
    void showMessage(QWidget*, const QString&, const QString&, QMessageBox::Icon) override {}
    bool askYesNo(QWidget*, const QString&, const QString&, QMessageBox::Icon) override {
        return false;
    }
    std::optional<QString> chooseDirectory(QWidget*, const QString&, const QString&) override {
        return std::nullopt;
    }
};

// Reads slowly, so that a run lasts long enough to be seen.
class SlowFileAccess : public PosixFileAccess {
public:
    BlockRead readBlock(OpenedFile& file, char* buffer, std::int64_t size) override {
        std::this_thread::sleep_for(std::chrono::milliseconds(150));
        return PosixFileAccess::readBlock(file, buffer, size);
    }
};

template <typename T>
T* child(QWidget& window, const char* name) {
    return window.findChild<T*>(QLatin1StringView(name));
}

void selectRows(QWidget& window, const char* list, std::initializer_list<int> rows) {
    auto* view = child<QListView>(window, list);
    view->clearSelection();
    for (int row : rows) {
        view->selectionModel()->select(view->model()->index(row, 0), QItemSelectionModel::Select);
    }
}

void save(QWidget& window, const QString& path) {
    QApplication::processEvents();
    if (!window.grab().save(path)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
    }
}

void click(QWidget& window, const char* button) {
    child<QAbstractButton>(window, button)->click();
    QApplication::processEvents();
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quorvel 2.1"));
    if (argc != 4) {
        std::fprintf(stderr, "usage: quorvel-window-shots OUTPUT_DIR LEFT_DIR RIGHT_DIR\n");
        return 2;
    }
    const QString out = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(out + QStringLiteral("/languages"));
    QDir::setCurrent(QString::fromLocal8Bit(argv[2]));

    SilentDialogs dialogs;
    LanguageStrings strings;
    Report report;
    SlowFileAccess files;
    SettingsStore settings;
    // The right panel shows the second tree, as after a browse.
    settings.openKey(QStringLiteral("\\Software\\Quorvel"), true);
    settings.writeString(QStringLiteral("CompDir2"), QString::fromLocal8Bit(argv[3]));
    settings.closeKey();
    MainWindow window(strings, report, files, settings, dialogs);
    window.setCurrentLanguage(kEnglish);
    window.move(0, 0);
    window.show();
    QApplication::processEvents();

    static const char* const kCodes[] = {"eng", "ita", "ned", "deu", "dk", "esp"};
    for (int id = kEnglish; id <= kSpanish; ++id) {
        window.applyLanguage(static_cast<LanguageId>(id));
        const QString prefix =
            out + QStringLiteral("/languages/") + QLatin1StringView(kCodes[id - 1]) + '-';
        save(window, prefix + QStringLiteral("0-no-mode.png"));
        save(window, out + QStringLiteral("/main-") + QLatin1StringView(kCodes[id - 1]) +
                         QStringLiteral(".png"));
        click(window, "SpeedButton1");
        save(window, prefix + QStringLiteral("1-file-file.png"));
        click(window, "SpeedButton2");
        save(window, prefix + QStringLiteral("2-files-directory.png"));
        click(window, "SpeedButton3");
        save(window, prefix + QStringLiteral("3-directory-directory.png"));
    }

    window.applyLanguage(kGerman);
    click(window, "SpeedButton1");
    selectRows(window, "FileListBox1", {1});
    selectRows(window, "FileListBox2", {1});
    save(window, out + QStringLiteral("/main-german.png"));
    click(window, "SpeedButton3");
    save(window, out + QStringLiteral("/main-german-directories.png"));

    window.applyLanguage(kEnglish);
    save(window, out + QStringLiteral("/main-no-mode.png"));
    click(window, "SpeedButton1");
    selectRows(window, "FileListBox1", {0});
    selectRows(window, "FileListBox2", {0});
    save(window, out + QStringLiteral("/main-file-file.png"));
    click(window, "SpeedButton2");
    selectRows(window, "FileListBox1", {0, 2});
    save(window, out + QStringLiteral("/main-files-directory.png"));
    click(window, "SpeedButton3");
    save(window, out + QStringLiteral("/main-directory-directory.png"));

    // Partway through a slow run, once it shows its rate, take the picture and stop it.
    QTimer::singleShot(1600, &window, [&window, &out] {
        save(window, out + QStringLiteral("/main-running.png"));
        click(window, "BitBtn1");
    });
    window.startComparison();
    return 0;
}
