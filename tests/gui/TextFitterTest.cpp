#include "gui/TextFitter.h"

#include <QFontMetrics>
#include <QLabel>
#include <QPushButton>
#include <QWidget>

#include <gtest/gtest.h>

namespace quorvel {
namespace {

const QString kShort = QStringLiteral("Go");
const QString kLong = QStringLiteral("A caption far too long for any of these boxes at all");

TEST(TextFitterTest, ALabelNarrowedForALongTextTakesItsDesignFontBackForAShortOne) {
    QWidget parent;
    auto* label = new QLabel(&parent);
    const QFont design = label->font();
    TextFitter fitter;

    fitter.setLabelText(label, kLong, 80);
    EXPECT_TRUE(label->font().stretch() < 100 || label->font().pointSize() < design.pointSize());
    EXPECT_LE(label->width(), 80);
    EXPECT_EQ(label->accessibleName(), kLong);

    fitter.setLabelText(label, kShort, 80);
    EXPECT_EQ(label->font().stretch(), 100);
    EXPECT_EQ(label->font().pointSize(), design.pointSize());
    EXPECT_EQ(label->text(), kShort);
}

TEST(TextFitterTest, APictureShowsBeforeACaptionOnlyWhereBothFit) {
    QPushButton button;
    button.resize(90, 25);
    QPixmap red(16, 16);
    red.fill(Qt::red);
    TextFitter fitter;
    fitter.setPicture(&button, QIcon(red));

    button.setText(kShort);
    fitter.fitPictureButton(&button);
    EXPECT_FALSE(button.icon().isNull());

    // A caption that fits only narrowed keeps the picture beside it.
    const QString caption = QStringLiteral("Durchsuchen...");
    const int room = QFontMetrics(button.font()).horizontalAdvance(caption) - 3;
    button.resize(room + 14 + 16 + 4, 25);
    button.setText(caption);
    fitter.fitPictureButton(&button);
    EXPECT_FALSE(button.icon().isNull());
    EXPECT_LE(QFontMetrics(button.font()).horizontalAdvance(caption), room);
    button.resize(90, 25);

    button.setText(kLong);
    fitter.fitPictureButton(&button);
    EXPECT_TRUE(button.icon().isNull());

    button.setText(kShort); // the picture comes back with a caption that leaves it room
    fitter.fitPictureButton(&button);
    EXPECT_FALSE(button.icon().isNull());
}

} // namespace
} // namespace quorvel
