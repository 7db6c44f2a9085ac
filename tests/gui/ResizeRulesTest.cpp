#include "gui/ResizeRules.h"

#include <gtest/gtest.h>

namespace quorvel {
namespace {

constexpr int kDesignWidth = 491;
constexpr int kDesignHeight = 425;

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

TEST(ResizeRulesTest, ASmallWindowKeepsTheLowerBoundsAndOnlyTheProgressBarShrinks) {
    const FormGeometry form = formResize(300, 200);
    EXPECT_EQ(form.panelWidth, 233);
    EXPECT_EQ(form.panelHeight, 249);
    EXPECT_EQ(form.panel4Width, 489);
    EXPECT_EQ(form.groupBoxWidth, 473);
    EXPECT_EQ(form.groupBoxTop, 360);
    EXPECT_EQ(form.progressWidth, 283);
    EXPECT_EQ(formResize(10, 10).progressWidth, -7);
    EXPECT_EQ(panel3Resize(100).viewReportLeft, 200);
    EXPECT_EQ(panel3Resize(100).startLeft, 148);
}

TEST(ResizeRulesTest, TwoMorePixelsWidenEachPanelByOneAndAnOddPixelIsDropped) {
    EXPECT_EQ(formResize(kDesignWidth + 2, kDesignHeight).panelWidth, 234);
    EXPECT_EQ(formResize(kDesignWidth + 3, kDesignHeight).panelWidth, 235);
    EXPECT_EQ(formResize(kDesignWidth + 4, kDesignHeight).panelWidth, 235);
    EXPECT_EQ(formResize(kDesignWidth + 4, kDesignHeight).panel2Left, 250);
}

TEST(ResizeRulesTest, TheLeftPanelKeepsItsCopyButtonSixteenPixelsFromTheRightEdge) {
    for (int width : {100, 233, 234, 500, 1001}) {
        const Panel1Geometry panel = panel1Resize(width, 249, 25, 93);
        EXPECT_EQ(width - (panel.copyButtonLeft + 25), 16) << width;
        EXPECT_EQ(panel.browseLeft, (width - 93) / 2);
    }
    const Panel1Geometry design = panel1Resize(233, 251, 25, 93);
    EXPECT_EQ(design.copyButtonLeft, 192);
    EXPECT_EQ(design.bevelWidth, 217);
    EXPECT_EQ(design.fileListWidth, 217);
    EXPECT_EQ(design.checkBoxWidth, 210);
    EXPECT_EQ(design.fileListHeight, 123);
    EXPECT_EQ(design.pathLabelWidth, 209);
    EXPECT_EQ(design.browseLeft, 70);
    const Panel1Geometry wide = panel1Resize(400, 500, 25, 93);
    EXPECT_EQ(wide.bevelWidth, 384);
    EXPECT_EQ(wide.checkBoxWidth, 377);
    EXPECT_EQ(wide.fileListHeight, 372);
    EXPECT_EQ(wide.pathLabelWidth, 376);
}

TEST(ResizeRulesTest, TheRightPanelFollowsTheSameBounds) {
    const Panel2Geometry small = panel2Resize(200, 100, 93);
    EXPECT_EQ(small.bevelWidth, 217);
    EXPECT_EQ(small.fileListHeight, 121);
    EXPECT_EQ(small.pathLabelWidth, 209);
    EXPECT_EQ(small.browseLeft, 53);
    const Panel2Geometry wide = panel2Resize(301, 300, 93);
    EXPECT_EQ(wide.fileListWidth, 285);
    EXPECT_EQ(wide.fileListHeight, 172);
    EXPECT_EQ(wide.browseLeft, 104);
}

} // namespace
} // namespace quorvel
