// Shows the five sample components together, driven by a timer.
// Usage: widget-gallery [--dark] [--shot FILE.png] [FOLDER [CURRENT]]
//   --dark  a dark palette, to see that every component paints with the palette
//   --shot  saves the window as a picture once the folder outline has read, and ends
//   FOLDER  the outline's top folder (default: the home folder)
//   CURRENT a folder under it to open the outline at

#include "widgets/ColourGrid.h"
#include "widgets/DirectoryOutline.h"
#include "widgets/Gauge.h"
#include "widgets/MonthGrid.h"
#include "widgets/PerformanceGraph.h"

#include <QApplication>
#include <QDir>
#include <QFileSystemModel>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPalette>
#include <QStyleFactory>
#include <QTimer>

#include <cmath>
#include <cstdio>
#include <utility>

using namespace quorvel;

namespace {

QPalette darkPalette() {
    QPalette dark;
    dark.setColor(QPalette::Window, QColor(45, 45, 48));
    dark.setColor(QPalette::WindowText, QColor(220, 220, 220));
    dark.setColor(QPalette::Base, QColor(30, 30, 32));
    dark.setColor(QPalette::AlternateBase, QColor(45, 45, 48));
    dark.setColor(QPalette::Text, QColor(220, 220, 220));
    dark.setColor(QPalette::PlaceholderText, QColor(140, 140, 140));
    dark.setColor(QPalette::Button, QColor(55, 55, 58));
    dark.setColor(QPalette::ButtonText, QColor(220, 220, 220));
    dark.setColor(QPalette::Highlight, QColor(60, 130, 220));
    dark.setColor(QPalette::HighlightedText, Qt::white);
    dark.setColor(QPalette::Mid, QColor(90, 90, 95));
    dark.setColor(QPalette::Disabled, QPalette::Text, QColor(110, 110, 110));
    return dark;
}

// A load that wanders like a processor's: a slow wave, a faster one, and an occasional burst.
double sampleLoad(int tick) {
    const double wave = 35 + 20 * std::sin(tick / 9.0) + 10 * std::sin(tick / 2.3);
    return wave + (tick % 23 < 3 ? 25 : 0);
}

QGroupBox* framed(const char* title, QWidget* content) {
    auto* box = new QGroupBox(QString::fromLatin1(title));
    auto* layout = new QHBoxLayout(box);
    layout->addWidget(content);
    return box;
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));

    QString shotFile;
    QString folder = QDir::homePath();
    QString current;
    int folders = 0;
    const QStringList arguments = QApplication::arguments();
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        if (arguments[i] == QLatin1String("--dark")) {
            QApplication::setPalette(darkPalette());
        } else if (arguments[i] == QLatin1String("--shot") && i + 1 < arguments.size()) {
            shotFile = arguments[++i];
        } else if (arguments[i].startsWith(QLatin1Char('-'))) {
            std::fprintf(stderr, "usage: widget-gallery [--dark] [--shot FILE.png] [FOLDER "
                                 "[CURRENT]]\n");
            return 2;
        } else {
            (folders++ == 0 ? folder : current) = arguments[i];
        }
    }

    QWidget window;
    auto* grid = new QGridLayout(&window);

    auto* month = new MonthGrid;
    month->setSelectedDate(QDate::currentDate());
    auto* colours = new ColourGrid;
    auto* outline = new DirectoryOutline;
    outline->setRootPath(folder);
    if (!current.isEmpty()) {
        outline->setCurrentPath(current);
    }
    grid->addWidget(framed("MonthGrid", month), 0, 0);
    grid->addWidget(framed("ColourGrid", colours), 0, 1);
    grid->addWidget(framed("DirectoryOutline", outline), 0, 2);

    auto* gauges = new QWidget;
    auto* gaugeRow = new QHBoxLayout(gauges);
    gaugeRow->setContentsMargins(0, 0, 0, 0);
    Gauge* shapes[] = {new Gauge, new Gauge, new Gauge};
    shapes[1]->setShape(Gauge::Pie);
    shapes[2]->setShape(Gauge::Needle);
    auto* bar = new QWidget;
    auto* barColumn = new QVBoxLayout(bar);
    barColumn->addStretch();
    barColumn->addWidget(shapes[0]);
    barColumn->addStretch();
    gaugeRow->addWidget(bar, 2);
    gaugeRow->addWidget(shapes[1], 1);
    gaugeRow->addWidget(shapes[2], 1);
    grid->addWidget(framed("Gauge", gauges), 1, 0, 1, 2);

    auto* graph = new PerformanceGraph;
    grid->addWidget(framed("PerformanceGraph", graph), 1, 2);

    int tick = 0;
    const auto step = [&] {
        const double load = sampleLoad(tick++);
        graph->pushValue(load);
        shapes[0]->setValue(load);
        shapes[1]->setValue(100 - load);
        shapes[2]->setValue(load * 1.2);
    };
    while (tick < graph->pointCount()) {
        step();
    }
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, step);
    // A picked colour tints the graph, to show that it follows its palette.
    QObject::connect(colours, &ColourGrid::currentColourChanged, graph, [graph](const QColor& c) {
        QPalette tinted = graph->palette();
        tinted.setColor(QPalette::Highlight, c);
        graph->setPalette(tinted);
    });

    window.resize(window.sizeHint().expandedTo(QSize(820, 440)));
    window.show();
    if (shotFile.isEmpty()) {
        timer.start(500);
        return QApplication::exec();
    }

    // The outline reads on a thread of its own; the picture waits until it has gone quiet, or
    // for two seconds at most.
    QTimer quiet;
    quiet.setSingleShot(true);
    QObject::connect(outline->fileSystemModel(), &QFileSystemModel::directoryLoaded, &quiet,
                     [&quiet] { quiet.start(300); });
    bool shot = false;
    const auto shoot = [&] {
        if (std::exchange(shot, true)) {
            return;
        }
        const bool saved = window.grab().save(shotFile);
        if (!saved) {
            std::fprintf(stderr, "widget-gallery: cannot write %s\n", qPrintable(shotFile));
        }
        QApplication::exit(saved ? 0 : 1);
    };
    QObject::connect(&quiet, &QTimer::timeout, shoot);
    QTimer::singleShot(2000, &window, shoot);
    return QApplication::exec();
}
