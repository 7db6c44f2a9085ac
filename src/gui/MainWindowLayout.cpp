#include "gui/MainWindowLayout.h"

#include "gui/ResizeRules.h"

#include "ui_MainWindow.h"

namespace quorvel {

namespace {

void layOutLeftPanel(Ui::MainWindow& ui) {
    const Panel1Geometry g = panel1Resize(ui.Panel1->width(), ui.Panel1->height(),
                                          ui.BitBtn5->width(), ui.BitBtn2->width());
    ui.BitBtn5->move(g.copyButtonLeft, ui.BitBtn5->y());
    ui.Bevel1->resize(g.bevelWidth, ui.Bevel1->height());
    ui.FileListBox1->resize(g.fileListWidth, g.fileListHeight);
    ui.CheckBoxRecurse->resize(g.checkBoxWidth, ui.CheckBoxRecurse->height());
    ui.CheckBoxSoloDiversi->resize(g.checkBoxWidth, ui.CheckBoxSoloDiversi->height());
    ui.Label1->resize(g.pathLabelWidth, ui.Label1->height());
    ui.BitBtn2->move(g.browseLeft, ui.BitBtn2->y());
}

void layOutRightPanel(Ui::MainWindow& ui) {
    const Panel2Geometry g =
        panel2Resize(ui.Panel2->width(), ui.Panel2->height(), ui.BitBtn3->width());
    ui.Bevel2->resize(g.bevelWidth, ui.Bevel2->height());
    ui.FileListBox2->resize(g.fileListWidth, g.fileListHeight);
    ui.Label2->resize(g.pathLabelWidth, ui.Label2->height());
    ui.BitBtn3->move(g.browseLeft, ui.BitBtn3->y());
}

void layOutToolbar(Ui::MainWindow& ui) {
    const Panel3Geometry g = panel3Resize(ui.Panel3->width());
    ui.SpeedButton5->move(g.viewReportLeft, ui.SpeedButton5->y());
    ui.SpeedButton6->move(g.helpLeft, ui.SpeedButton6->y());
    ui.SpeedButton7->move(g.languageLeft, ui.SpeedButton7->y());
    ui.SpeedButton4->move(g.startLeft, ui.SpeedButton4->y());
}

} // namespace

void layOutMainWindow(Ui::MainWindow& ui, int width, int height) {
    const FormGeometry g = formResize(width, height);
    ui.Panel3->setGeometry(0, 0, width, ui.Panel3->height());
    ui.Panel1->resize(g.panelWidth, g.panelHeight);
    ui.Panel2->setGeometry(g.panel2Left, ui.Panel2->y(), g.panelWidth, g.panelHeight);
    ui.Label4->move(g.label4Left, ui.Label4->y());
    ui.Panel4->resize(g.panel4Width, ui.Panel4->height());
    ui.ProgressBar1->resize(g.progressWidth, ui.ProgressBar1->height());
    ui.GroupBox1->setGeometry(ui.GroupBox1->x(), g.groupBoxTop, g.groupBoxWidth,
                              ui.GroupBox1->height());
    ui.CheckBoxSoloDim->resize(g.fastCheckWidth, ui.CheckBoxSoloDim->height());
    ui.StatusBar1->setGeometry(0, height - ui.StatusBar1->height(), width, ui.StatusBar1->height());
    layOutLeftPanel(ui);
    layOutRightPanel(ui);
    layOutToolbar(ui);
}

} // namespace quorvel
