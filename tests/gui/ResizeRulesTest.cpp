#include "gui/ResizeRules.h"

#include "ui_MainWindow.h"

#include <QWidget>

#include <gtest/gtest.h>

#include <tuple>

namespace quorvel {
namespace {

constexpr int kDesignWidth = 491;
constexpr int kDesignHeight = 425;

// The designed form, whose sizes are the rules' lower bounds.
class Design {
public:
    Design() { form.setupUi(&host); }
    QWidget host;
    Ui::MainWindow form;
};

// A size that keeps `distance` to the edge at `edge` and never goes below `bound`.
void expectKeepsDistanceAboveBound(int value, int edge, int distance, int bound, const char* what) {
    EXPECT_GE(value, bound) << what;
    if (edge - distance >= bound) {
        EXPECT_EQ(edge - value, distance) << what;
    } else {
        EXPECT_EQ(value, bound) << what;
    }
}

struct WindowSize {
    const char* name;
    int width;
    int height;
};

constexpr WindowSize kWindowSizes[] = {
    {"Tiny", 10, 10},
    {"BelowTheBounds", 300, 200},
    {"Design", kDesignWidth, kDesignHeight},
    {"OnePixelMore", 492, 426},
    {"Wider", 801, 600},
    {"WideAndShort", 1000, 430},
    {"NarrowAndTall", 495, 700},
};

TEST(ResizeRulesTest, AtDesignSizeTheRulesGiveTheDesignNumbers) {
    const FormGeometry form = formResize(kDesignWidth, kDesignHeight);
    EXPECT_EQ(form.panelWidth, 233);
    EXPECT_EQ(form.panel2Left, 248);
    EXPECT_EQ(form.label4Left, 256);
    EXPECT_EQ(form.panel4Width, 490);
    EXPECT_EQ(form.progressWidth, 474);
    EXPECT_EQ(form.groupBoxWidth, 474);
    EXPECT_EQ(form.fastCheckWidth, 458);
    EXPECT_EQ(form.groupBoxTop, 362);
    EXPECT_EQ(form.panelHeight, 251);
    const Panel3Geometry toolbar = panel3Resize(kDesignWidth);
    EXPECT_EQ(toolbar.viewReportLeft, 361);
    EXPECT_EQ(toolbar.helpLeft, 401);
    EXPECT_EQ(toolbar.languageLeft, 441);
    EXPECT_EQ(toolbar.startLeft, 228);
}

// Each control keeps its distance to the window's right or bottom edge, never below its design
// size; the progress bar alone has no bound. (The distances are the client area's, a little less
// than the designed form's.)
TEST(ResizeRulesTest, TheWindowsControlsKeepTheirEdgeDistancesAboveTheirDesignSizes) {
    const Design design;
    const Ui::MainWindow& d = design.form;
    for (const WindowSize& size : kWindowSizes) {
        SCOPED_TRACE(size.name);
        const int w = size.width;
        const int h = size.height;
        const FormGeometry form = formResize(w, h);
        expectKeepsDistanceAboveBound(form.panelHeight, h, 174, d.Panel1->height(), "panels");
        expectKeepsDistanceAboveBound(form.panel4Width, w, 1, d.Panel4->width(), "guidance");
        expectKeepsDistanceAboveBound(form.groupBoxWidth, w, 17, d.GroupBox1->width(), "options");
        expectKeepsDistanceAboveBound(form.groupBoxTop, h, 63, d.GroupBox1->y(), "options top");
        EXPECT_EQ(w - form.progressWidth, 17);
        EXPECT_EQ(form.groupBoxWidth - form.fastCheckWidth,
                  d.GroupBox1->width() - d.CheckBoxSoloDim->width());
    }
}

// The two panels share the width the window leaves them, an odd pixel dropped; the right one
// follows the left one, its heading with it.
TEST(ResizeRulesTest, ThePanelsShareTheWidthAndTwoMorePixelsWidenEachByOne) {
    const Design design;
    const Ui::MainWindow& d = design.form;
    const int bound = d.Panel1->width();
    const int gap = d.Panel2->x() - (d.Panel1->x() + d.Panel1->width());
    for (const WindowSize& size : kWindowSizes) {
        SCOPED_TRACE(size.name);
        const FormGeometry form = formResize(size.width, size.height);
        EXPECT_GE(form.panelWidth, bound);
        if ((size.width - 24) / 2 >= bound) {
            const int spare = size.width - 24 - 2 * form.panelWidth;
            EXPECT_TRUE(spare == 0 || spare == 1) << spare;
            EXPECT_EQ(formResize(size.width + 2, size.height).panelWidth, form.panelWidth + 1);
        } else {
            EXPECT_EQ(form.panelWidth, bound);
        }
        EXPECT_EQ(form.panel2Left - (d.Panel1->x() + form.panelWidth), gap);
        EXPECT_EQ(form.label4Left - form.panel2Left, d.Label4->x() - d.Panel2->x());
    }
}

// The three buttons on the right keep their distance to the right edge, never further left than
// a bound, and Start stays midway between the mode buttons and them.
TEST(ResizeRulesTest, TheToolbarButtonsKeepToTheRightEdgeAndStartStaysMidway) {
    const Design design;
    const Ui::MainWindow& d = design.form;
    const int modeButtonsLeft = d.SpeedButton3->x();
    for (const WindowSize& size : kWindowSizes) {
        SCOPED_TRACE(size.name);
        const Panel3Geometry toolbar = panel3Resize(size.width);
        expectKeepsDistanceAboveBound(toolbar.viewReportLeft, size.width, 130, 200, "view report");
        EXPECT_EQ(toolbar.helpLeft - toolbar.viewReportLeft,
                  d.SpeedButton6->x() - d.SpeedButton5->x());
        EXPECT_EQ(toolbar.languageLeft - toolbar.viewReportLeft,
                  d.SpeedButton7->x() - d.SpeedButton5->x());
        EXPECT_EQ(toolbar.startLeft - modeButtonsLeft,
                  (toolbar.viewReportLeft - modeButtonsLeft) / 2);
    }
}

struct PanelSize {
    const char* name;
    int width;
    int height;
};

constexpr PanelSize kPanelSizes[] = {
    {"BelowTheBounds", 100, 100}, {"Design", 233, 249}, {"OnePixelMore", 234, 250},
    {"OddWidth", 301, 300},       {"Wide", 400, 500},   {"Wider", 1001, 700},
};

// Inside a panel each control keeps the distance to the panel's edge it has in the design, never
// below its design size; the copy button keeps its distance even then, and Browse... is centred.
TEST(ResizeRulesTest, ThePanelsControlsKeepTheirDesignDistancesToThePanelsEdges) {
    const Design design;
    const Ui::MainWindow& d = design.form;
    const int p = d.Panel1->width();
    const int q = d.Panel1->height();
    const int copyWidth = d.BitBtn5->width();
    const int browseWidth = d.BitBtn2->width();
    for (const PanelSize& size : kPanelSizes) {
        SCOPED_TRACE(size.name);
        const int w = size.width;
        const int h = size.height;
        const Panel1Geometry left = panel1Resize(w, h, copyWidth, browseWidth);
        const Panel2Geometry right = panel2Resize(w, h, browseWidth);
        EXPECT_EQ(w - (left.copyButtonLeft + copyWidth), p - (d.BitBtn5->x() + copyWidth));
        expectKeepsDistanceAboveBound(left.checkBoxWidth, w, p - d.CheckBoxRecurse->width(),
                                      d.CheckBoxRecurse->width(), "check boxes");
        for (const auto& [bevel, list, listHeight, label, browse] :
             {std::tuple(left.bevelWidth, left.fileListWidth, left.fileListHeight,
                         left.pathLabelWidth, left.browseLeft),
              std::tuple(right.bevelWidth, right.fileListWidth, right.fileListHeight,
                         right.pathLabelWidth, right.browseLeft)}) {
            expectKeepsDistanceAboveBound(bevel, w, p - d.Bevel1->width(), d.Bevel1->width(),
                                          "bevel");
            EXPECT_EQ(list, bevel);
            expectKeepsDistanceAboveBound(listHeight, h, q - d.FileListBox1->height(),
                                          d.FileListBox1->height(), "file list");
            expectKeepsDistanceAboveBound(label, w, p - d.Label1->width(), d.Label1->width(),
                                          "path");
            const int spare = (w - (browse + browseWidth)) - browse;
            EXPECT_TRUE(spare == 0 || spare == 1) << spare;
        }
    }
}

} // namespace
} // namespace quorvel
