#include "gui/QtText.h"

#include <QWidget>
#include <gtest/gtest.h>

TEST(GuiSmokeTest, AWidgetCanBeShownOffscreen) {
    QWidget widget;
    widget.show();
    EXPECT_TRUE(widget.isVisible());
}

TEST(QtTextTest, InvalidUtf8ShowsAReplacementCharacter) {
    EXPECT_EQ(quorvel::toQString("a\xff"), QString::fromUtf8("a\xEF\xBF\xBD"));
    EXPECT_EQ(quorvel::toBytes(quorvel::toQString("caf\xc3\xa9")), "caf\xc3\xa9");
}
