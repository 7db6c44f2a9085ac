#include "gui/MainWindowLook.h"

#include "gui/TextFitter.h"

#include "ui_MainWindow.h"

#include <QApplication>
#include <QFontDatabase>

namespace quorvel {

namespace {

QFont withSize(QFont font, int points, bool bold) {
    font.setPointSize(points);
    font.setBold(bold);
    return font;
}

void setColor(QWidget* widget, QPalette::ColorRole role, const QColor& color) {
    QPalette palette = widget->palette();
    palette.setColor(role, color);
    widget->setPalette(palette);
}

QIcon picture(const char* name) {
    return QIcon(QStringLiteral(":/icons/") + QLatin1StringView(name) + QStringLiteral(".svg"));
}

} // namespace

void applyDesignLook(QWidget& window, Ui::MainWindow& ui, TextFitter& fitter) {
    const QFont base = withSize(QApplication::font(), 8, false);
    window.setFont(base);
    const QFont heading = withSize(base, 10, true);
    for (QLabel* label : {ui.Label3, ui.Label4, ui.Label7, ui.Label8, ui.Label9, ui.Label10}) {
        label->setFont(heading);
    }
    const QFont fixed = withSize(QFontDatabase::systemFont(QFontDatabase::FixedFont), 8, false);
    ui.EditFiltro->setFont(fixed);
    ui.Label12->setFont(fixed);
    ui.Label12->setAccessibleName(ui.Label12->text());
    ui.Label12->adjustSize();

    for (QLabel* label : {ui.Label3, ui.Label4}) {
        setColor(label, QPalette::WindowText, Qt::red);
    }
    for (QLabel* label : {ui.Label7, ui.Label8, ui.Label9, ui.Label10}) {
        setColor(label, QPalette::WindowText, Qt::blue);
    }
    for (QLabel* label : {ui.LabelTutor1, ui.LabelTutor2}) {
        label->setAutoFillBackground(true);
        setColor(label, QPalette::Window, QColor(0xff, 0xff, 0x80));
        setColor(label, QPalette::WindowText, Qt::black);
    }

    ui.SpeedButton1->setIcon(picture("mode-file-file"));
    ui.SpeedButton2->setIcon(picture("mode-files-directory"));
    ui.SpeedButton3->setIcon(picture("mode-directory-directory"));
    ui.SpeedButton4->setIcon(picture("start"));
    ui.SpeedButton5->setIcon(picture("view-report"));
    ui.SpeedButton6->setIcon(picture("help"));
    ui.SpeedButton7->setIcon(picture("language"));
    fitter.setPicture(ui.BitBtn1, picture("abort"));
    fitter.setPicture(ui.BitBtn2, picture("browse"));
    fitter.setPicture(ui.BitBtn3, picture("browse"));
    ui.BitBtn4->setIcon(picture("copy-from-left"));
    ui.BitBtn5->setIcon(picture("copy-from-right"));
}

} // namespace quorvel
