#include "gui/FontColorDialog.h"

#include <QApplication>
#include <QComboBox>
#include <QFontDialog>
#include <QGroupBox>
#include <QLayout>
#include <QLineEdit>
#include <QTimer>

#include <gtest/gtest.h>

namespace quorvel::test {
namespace {

// A colour of no entry (one a settings file may hold) is offered as it is, beside the effects it
// belongs with, and the sample is drawn in it.
TEST(FontColorDialogTest, AColourOfNoEntryIsOfferedChosenAndShownInTheEffectsGroup) {
    static constexpr std::uint32_t kOdd = 0x123456; // blue 0x12, green 0x34, red 0x56
    QTimer::singleShot(0, [] {
        auto* dialog = qobject_cast<QFontDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        auto* colors = dialog->findChild<QComboBox*>(QStringLiteral("colorChoice"));
        ASSERT_NE(colors, nullptr);
        EXPECT_EQ(colors->count(), 18);
        EXPECT_EQ(colors->currentData().value<std::uint32_t>(), kOdd);
        auto* effects = qobject_cast<QGroupBox*>(colors->parentWidget());
        ASSERT_NE(effects, nullptr) << "beside the strike-out and underline boxes";
        EXPECT_TRUE(effects->layout()->indexOf(colors) >= 0);
        EXPECT_EQ(colors->accessibleName(), effects->title());
        bool drawn = false;
        for (QLineEdit* sample : dialog->findChildren<QLineEdit*>()) {
            if (qobject_cast<QGroupBox*>(sample->parentWidget()) != nullptr) {
                drawn = sample->palette().color(QPalette::Text) == QColor(0x56, 0x34, 0x12);
            }
        }
        EXPECT_TRUE(drawn);
        dialog->accept();
    });
    const auto choice = chooseFontAndColor(nullptr, {QApplication::font(), kOdd});
    ASSERT_TRUE(choice.has_value());
    EXPECT_EQ(choice->colorCode, kOdd);
}

} // namespace
} // namespace quorvel::test
