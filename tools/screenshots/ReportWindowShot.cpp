// Saves a picture of the report window showing a report read from a text file, in one language:
//   report-window-shot LANGUAGE-CODE REPORT.txt PICTURE.png [FONT-DIALOG.png]
// scripts/screenshots runs it under Xvfb on the report of a directory run.
#include "gui/FontColorDialog.h"
#include "gui/ReportWindow.h"
#include "lang/LanguageStrings.h"
#include "lang/LanguageTable.h"
#include "report/Report.h"
#include "settings/ReportWindowSettings.h"

#include <QApplication>
#include <QFile>
#include <QTimer>

#include <cstdio>
#include <string>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    if (argc != 4 && argc != 5) {
        std::fprintf(
            stderr,
            "usage: report-window-shot LANGUAGE-CODE REPORT.txt PICTURE.png [FONT-DIALOG.png]\n");
        return 2;
    }
    const quorvel::LanguageId language = quorvel::languageFromCode(argv[1]);
    QFile input(QString::fromLocal8Bit(argv[2]));
    if (!quorvel::isLanguage(language) || !input.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "report-window-shot: unknown language or unreadable report\n");
        return 2;
    }
    quorvel::Report report;
    while (!input.atEnd()) {
        QByteArray line = input.readLine();
        while (line.endsWith('\n') || line.endsWith('\r')) {
            line.chop(1);
        }
        report.appendReportLine(
            std::string(line.constData(), static_cast<std::size_t>(line.size())));
    }
    quorvel::LanguageStrings strings;
    strings.fillFrom(language);
    quorvel::ReportWindow window(report, strings, quorvel::ReportWindowSettings());
    window.applyInterfaceTexts(language);
    window.show();
    QApplication::processEvents();
    bool saved = window.grab().save(QString::fromLocal8Bit(argv[3]));
    if (argc == 5) {
        // The font dialog with its colour choice, taken as it opens and then cancelled.
        QTimer::singleShot(200, [&saved, path = QString::fromLocal8Bit(argv[4])] {
            QWidget* dialog = QApplication::activeModalWidget();
            saved = saved && dialog && dialog->grab().save(path);
            if (dialog) {
                dialog->close();
            }
        });
        quorvel::chooseFontAndColor(&window, {window.reportQFont(), 0x80000008});
    }
    return saved ? 0 : 1;
}
