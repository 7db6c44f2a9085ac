#include "gui/ResizeRules.h"

#include <algorithm>

namespace quorvel {

FormGeometry formResize(int W, int H) {
    FormGeometry g{};
    g.panelWidth = std::max((W - 24) / 2, 233);
    g.panel2Left = g.panelWidth + 15;
    g.label4Left = g.panel2Left + 8;
    g.panel4Width = std::max(W - 1, 489);
    g.progressWidth = W - 17;
    g.groupBoxWidth = std::max(W - 17, 473);
    g.fastCheckWidth = g.groupBoxWidth - 16;
    g.groupBoxTop = std::max(H - 63, 360);
    g.panelHeight = std::max(H - 174, 249);
    return g;
}

Panel1Geometry panel1Resize(int P, int Q, int copyButtonWidth, int browseButtonWidth) {
    Panel1Geometry g{};
    g.copyButtonLeft = (P - 16) - copyButtonWidth;
    g.bevelWidth = std::max(P - 16, 217);
    g.fileListWidth = g.bevelWidth;
    g.checkBoxWidth = std::max(P - 23, 210);
    g.fileListHeight = std::max(Q - 128, 121);
    g.pathLabelWidth = std::max(P - 24, 209);
    g.browseLeft = (P - browseButtonWidth) / 2;
    return g;
}

Panel2Geometry panel2Resize(int P, int Q, int browseButtonWidth) {
    Panel2Geometry g{};
    g.bevelWidth = std::max(P - 16, 217);
    g.fileListWidth = g.bevelWidth;
    g.fileListHeight = std::max(Q - 128, 121);
    g.pathLabelWidth = std::max(P - 24, 209);
    g.browseLeft = (P - browseButtonWidth) / 2;
    return g;
}

Panel3Geometry panel3Resize(int P) {
    Panel3Geometry g{};
    const int x = std::max(P - 130, 200);
    g.viewReportLeft = x;
    g.helpLeft = x + 40;
    g.languageLeft = x + 80;
    g.startLeft = (x - 96) / 2 + 96;
    return g;
}

} // namespace quorvel
