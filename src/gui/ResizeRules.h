#pragma once

namespace quorvel {

// The main window's four resize rules. The window has no layout manager: a few controls move and
// stretch with the window, never below their design values; halves round toward zero.

struct FormGeometry {
    int panelWidth;     // both side panels
    int panelHeight;    // both side panels
    int panel2Left;     // the right panel
    int label4Left;     // the heading over the right panel
    int panel4Width;    // the guidance strip
    int progressWidth;  // no lower bound: it alone shrinks with the window
    int groupBoxWidth;  // the options group
    int groupBoxTop;    // it stays at the bottom
    int fastCheckWidth; // the fast option inside the group
};
// W and H: the window's client width and height, toolbar and status bar included.
FormGeometry formResize(int clientWidth, int clientHeight);

struct Panel1Geometry {
    int copyButtonLeft; // BitBtn5 keeps 16 pixels to the panel's right edge
    int bevelWidth;
    int fileListWidth;
    int fileListHeight;
    int checkBoxWidth; // CheckBoxRecurse and CheckBoxSoloDiversi
    int pathLabelWidth;
    int browseLeft; // centred
};
// P and Q: the left panel's outer width and height.
Panel1Geometry panel1Resize(int panelWidth, int panelHeight, int copyButtonWidth,
                            int browseButtonWidth);

struct Panel2Geometry {
    int bevelWidth;
    int fileListWidth;
    int fileListHeight;
    int pathLabelWidth;
    int browseLeft;
};
Panel2Geometry panel2Resize(int panelWidth, int panelHeight, int browseButtonWidth);

struct Panel3Geometry {
    int startLeft; // SpeedButton4, midway between the mode buttons and the right-hand three
    int viewReportLeft;
    int helpLeft;
    int languageLeft;
};
// P: the toolbar's width.
Panel3Geometry panel3Resize(int toolbarWidth);

} // namespace quorvel
