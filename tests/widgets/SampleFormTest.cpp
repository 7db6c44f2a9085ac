#include "ui_SampleForm.h"

#include <gtest/gtest.h>

namespace {

// A form as Designer saves it with the sample components: it must build through uic, and what
// the form sets wins over the components' defaults.
TEST(SampleFormTest, AFormSetsThePropertiesAndTheAccessibleName) {
    QWidget form;
    Ui::SampleForm ui;
    ui.setupUi(&form);
    EXPECT_EQ(ui.monthGrid->firstDayOfWeek(), Qt::Wednesday);
    EXPECT_EQ(ui.colourGrid->columns(), 4);
    EXPECT_TRUE(ui.directoryOutline->showHidden());
    EXPECT_EQ(ui.gauge->shape(), quorvel::Gauge::Needle);
    EXPECT_EQ(ui.gauge->value(), 150);
    EXPECT_EQ(ui.gauge->percentage(), 75);
    EXPECT_EQ(ui.valueFirstGauge->value(), 150) << "a form saved with the value before the range";
    EXPECT_EQ(ui.valueFirstGauge->percentage(), 75);
    EXPECT_EQ(ui.gauge->accessibleName(), QStringLiteral("Battery"));
    EXPECT_EQ(ui.performanceGraph->pointCount(), 120);
    EXPECT_FALSE(ui.performanceGraph->autoScale());
}

} // namespace
