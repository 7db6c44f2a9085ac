#include "gui/FontColorDialog.h"

#include <QApplication>
#include <QComboBox>
#include <QFontDialog>
#include <QGroupBox>
#include <QLayout>
#include <QTimer>

#include <gtest/gtest.h>

namespace quorvel::test {
namespace {

// The colour choice sits with the effects it belongs to, and a screen reader hears their name.
TEST(FontColorDialogTest, TheColourChoiceIsShownInTheEffectsGroupUnderItsName) {
    QTimer::singleShot(0, [] {
        auto* dialog = qobject_cast<QFontDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        auto* colors = dialog->findChild<QComboBox*>(QStringLiteral("colorChoice"));
        auto* effects = colors ? qobject_cast<QGroupBox*>(colors->parentWidget()) : nullptr;
        if (effects == nullptr) {
            dialog->reject();
            FAIL() << "no colour choice beside the strike-out and underline boxes";
        }
        EXPECT_GE(effects->layout()->indexOf(colors), 0);
        EXPECT_FALSE(effects->title().isEmpty());
        EXPECT_EQ(colors->accessibleName(), effects->title());
        dialog->accept();
    });
    EXPECT_TRUE(chooseFontAndColor(nullptr, {QApplication::font(), 0x123456}).has_value());
}

} // namespace
} // namespace quorvel::test
