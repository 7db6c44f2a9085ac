#include "gui/LanguageChooser.h"
#include "gui/FormControls.h"

#include <QAbstractButton>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>

namespace quorvel {
namespace {

QRadioButton* item(LanguageChooser& chooser, int index) {
    return chooser.findChild<QRadioButton*>(QString("RadioItem%1").arg(index));
}

QPushButton* okButton(LanguageChooser& chooser) {
    return test::controlIn<QPushButton>(chooser, test::ChooserControl::Ok);
}

// Runs `whileShown` once the chooser is up and shown modally; `whileShown` must close it.
void whileChoosing(LanguageChooser& chooser, LanguageId& currentLanguage,
                   const std::function<void()>& whileShown) {
    QTimer::singleShot(0, &chooser, whileShown);
    chooser.choose(currentLanguage);
    ASSERT_FALSE(chooser.isVisible());
}

TEST(LanguageChooserTest, FormAsLaidOut) {
    LanguageChooser chooser;
    EXPECT_EQ(chooser.objectName(), test::formName(test::ChooserControl::Window));
    EXPECT_EQ(chooser.windowTitle(), "Language");
    EXPECT_EQ(chooser.size(), QSize(287, 227));
    EXPECT_EQ(chooser.minimumSize(), chooser.maximumSize());
    EXPECT_EQ(chooser.font().pointSize(), 8);
    EXPECT_TRUE(chooser.windowFlags().testFlag(Qt::Tool));
    EXPECT_TRUE(chooser.windowFlags().testFlag(Qt::WindowCloseButtonHint));

    const char* const prompts[] = {"Choose a language", "Scegliere una lingua",
                                   "Kies een taal",     "Waehlen Sie eine Sprache",
                                   "Vælg sprog",        "Elige un idioma"};
    for (int i = 0; i < 6; ++i) {
        const auto* label = chooser.findChild<QLabel*>(QString("Label%1").arg(i + 1));
        ASSERT_NE(label, nullptr);
        EXPECT_EQ(label->text(), QString::fromUtf8(prompts[i]));
        EXPECT_TRUE(label->alignment().testFlag(Qt::AlignHCenter));
    }
    const auto* image = test::controlIn<QLabel>(chooser, test::ChooserControl::Picture);
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->pixmap().size(), QSize(32, 32));

    // Two columns filled column by column.
    const char* const names[] = {"English", "Italiano", "Nederlands",
                                 "Deutsch", "Dansk",    "Español"};
    for (int i = 0; i < 6; ++i) {
        ASSERT_NE(item(chooser, i), nullptr);
        EXPECT_EQ(item(chooser, i)->text(), QString::fromUtf8(names[i]));
        const QPoint place = item(chooser, i)->pos();
        EXPECT_EQ(place.x(), item(chooser, i < 3 ? 0 : 3)->pos().x()) << i;
        EXPECT_EQ(place.y(), item(chooser, i % 3)->pos().y()) << i;
    }
    EXPECT_LT(item(chooser, 0)->pos().x(), item(chooser, 3)->pos().x());
    EXPECT_LT(item(chooser, 0)->pos().y(), item(chooser, 1)->pos().y());

    const auto* ok = okButton(chooser);
    ASSERT_NE(ok, nullptr);
    EXPECT_EQ(ok->text(), "Ok");
    EXPECT_TRUE(ok->isDefault());
    // The radio group comes first in the tab order, Ok second.
    EXPECT_EQ(item(chooser, 5)->nextInFocusChain(), ok);
}

TEST(LanguageChooserTest, EveryControlHasAnAccessibleName) {
    LanguageChooser chooser;
    for (const QWidget* control : chooser.findChildren<QWidget*>()) {
        if (control->objectName().startsWith("qt_")) {
            continue;
        }
        EXPECT_FALSE(control->accessibleName().isEmpty()) << control->objectName().toStdString();
    }
}

TEST(LanguageChooserTest, PreselectsTheLanguageInForce) {
    LanguageChooser chooser;
    const struct {
        int language;
        std::optional<int> item;
    } cases[] = {{-1, std::nullopt},
                 {0, std::nullopt},
                 {1, 0},
                 {2, 1},
                 {3, 2},
                 {4, 3},
                 {5, 4},
                 {6, 5},
                 {9, 5},
                 {-1, std::nullopt}};
    for (const auto& which : cases) {
        LanguageId language = static_cast<LanguageId>(which.language);
        std::optional<int> shown = -2;
        whileChoosing(chooser, language, [&] {
            shown = chooser.selectedItem();
            chooser.reject();
        });
        EXPECT_EQ(shown, which.item) << which.language;
        EXPECT_EQ(language, which.language);
    }
}

TEST(LanguageChooserTest, OkTakesTheSelectedLanguage) {
    LanguageChooser chooser;
    LanguageId language = kEnglish;
    whileChoosing(chooser, language, [&] {
        QTest::mouseClick(item(chooser, 3), Qt::LeftButton);
        QTest::mouseClick(okButton(chooser), Qt::LeftButton);
    });
    EXPECT_EQ(language, kGerman);

    // Enter presses the default button.
    whileChoosing(chooser, language, [&] {
        item(chooser, 4)->setChecked(true);
        QTest::keyClick(&chooser, Qt::Key_Return);
    });
    EXPECT_EQ(language, kDanish);
}

TEST(LanguageChooserTest, OkWithNoItemSelectedGivesNoLanguage) {
    LanguageChooser chooser;
    LanguageId language = -5;
    whileChoosing(chooser, language, [&] {
        EXPECT_FALSE(chooser.selectedItem());
        okButton(chooser)->click();
    });
    EXPECT_EQ(language, kNoLanguage);

    // Shown with none selected, the items are still one choice: a second click moves the mark.
    whileChoosing(chooser, language, [&] {
        QTest::mouseClick(item(chooser, 1), Qt::LeftButton);
        QTest::mouseClick(item(chooser, 2), Qt::LeftButton);
        EXPECT_FALSE(item(chooser, 1)->isChecked());
        okButton(chooser)->click();
    });
    EXPECT_EQ(language, 3);
}

TEST(LanguageChooserTest, EscapeAndTheCloseBoxKeepTheLanguage) {
    LanguageChooser chooser;
    LanguageId language = kDutch;
    whileChoosing(chooser, language, [&] {
        item(chooser, 5)->setChecked(true);
        QTest::keyClick(&chooser, Qt::Key_Escape);
    });
    EXPECT_EQ(language, kDutch);

    whileChoosing(chooser, language, [&] {
        EXPECT_EQ(chooser.selectedItem(), 2);
        item(chooser, 0)->setChecked(true);
        chooser.close();
    });
    EXPECT_EQ(language, kDutch);
}

TEST(LanguageChooserTest, PlacedOverTheMainWindowAndShownModally) {
    QWidget mainWindow;
    mainWindow.setGeometry(100, 50, 499, 452);
    mainWindow.show();
    LanguageChooser chooser;
    LanguageId language = kNoLanguage;
    QRect mainFrame;
    QRect chooserFrame;
    bool modal = false;
    QTimer::singleShot(0, &chooser, [&] {
        mainFrame = mainWindow.frameGeometry();
        chooserFrame = chooser.frameGeometry();
        modal = chooser.isModal() && chooser.isVisible();
        item(chooser, 1)->setChecked(true);
        okButton(chooser)->click();
    });
    showLanguageChooser(chooser, mainWindow, language);
    EXPECT_TRUE(modal);
    EXPECT_EQ(chooserFrame.top(), mainFrame.top() + 20);
    EXPECT_EQ(chooserFrame.left(),
              mainFrame.left() + mainFrame.width() / 2 - chooserFrame.width() / 2);
    EXPECT_EQ(language, kItalian);
}

} // namespace
} // namespace quorvel
