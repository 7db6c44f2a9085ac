// Pictures of the language chooser, and of the help window at each topic and with its page
// missing, for looking at them: language-shots OUTPUT_DIRECTORY (under an X server such as
// xvfb-run).
#include "gui/HelpWindow.h"
#include "gui/LanguageChooser.h"
#include "lang/LanguageStrings.h"

#include <QApplication>
#include <QDir>
#include <QTimer>

#include <cstdio>

namespace {

bool save(QWidget& window, const QString& path) {
    const bool saved = window.grab().save(path);
    std::fprintf(saved ? stdout : stderr, "%s %s\n", saved ? "wrote" : "could not write",
                 qPrintable(path));
    return saved;
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: language-shots OUTPUT_DIRECTORY\n");
        return 2;
    }
    const QString out = QDir(QString::fromLocal8Bit(argv[1])).absolutePath();
    QDir().mkpath(out);
    bool allSaved = true;

    quorvel::LanguageChooser chooser;
    quorvel::LanguageId language = quorvel::kEnglish;
    QTimer::singleShot(200, &chooser, [&] {
        allSaved = save(chooser, out + "/language-chooser.png") && allSaved;
        chooser.reject();
    });
    chooser.choose(language);

    quorvel::LanguageStrings strings;
    strings.fillFrom(quorvel::kEnglish);
    quorvel::HelpWindow help(strings);
    const std::string english =
        (quorvel::HelpWindow::defaultInstalledHelpFolder() + "/Help_eng.html").toStdString();
    for (const int topic : {100, 200, 300}) {
        help.showHelp(english, topic);
        QApplication::processEvents();
        allSaved = save(help, out + QString("/help-window-%1.png").arg(topic)) && allSaved;
    }
    quorvel::HelpWindow alone(strings, out + "/no-such-folder");
    alone.showHelp("/no/such/start/Help_eng.html", 100);
    QApplication::processEvents();
    allSaved = save(alone, out + "/help-window-missing.png") && allSaved;
    return allSaved ? 0 : 1;
}
