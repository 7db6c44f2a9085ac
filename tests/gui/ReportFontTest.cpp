#include "gui/FontColorDialog.h"
#include "gui/ReportFontMapping.h"
#include "gui/ReportWindowFixture.h"
#include "settings/ClosingSettings.h"
#include "settings/SettingsStore.h"
#include "support/SettingsFixture.h"

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QFontDatabase>
#include <QFontDialog>
#include <QGroupBox>
#include <QLayout>
#include <QLineEdit>
#include <QTimer>

namespace quorvel::test {
namespace {

class ReportFontTest : public ReportWindowFixture {
protected:
    QString settingsPath() const { return QString::fromStdString(tree_.path("settings.reg")); }

    // A window constructed from a settings file holding these ReportFont values.
    void startWith(const QByteArray& fontValues) {
        QFile file(settingsPath());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(kProgramHeader + kFontHeader + fontValues);
        file.close();
        startFromFile();
    }
    void startFromFile() {
        SettingsStore store(settingsPath());
        makeWindow(readReportWindowSettings(store, 96));
        window_->setPixelsPerInch(96);
    }
    QFont shown() const { return window_->reportQFont(); }
};

TEST_F(ReportFontTest, SizeDecidesWhenHeightIsStoredToo) {
    startWith("\"Size\"=dword:0000000c\n\"Height\"=dword:fffffff5\n");
    EXPECT_EQ(shown().pointSize(), 12);
    EXPECT_EQ(window_->closingFont().size, 12);
    EXPECT_EQ(window_->closingFont().height, -16);
}

TEST_F(ReportFontTest, AbsentStyleFlagsGiveNoStyle) {
    startWith("\"Size\"=dword:0000000a\n");
    EXPECT_FALSE(shown().bold());
    EXPECT_FALSE(shown().italic());
    EXPECT_FALSE(shown().underline());
    EXPECT_FALSE(shown().strikeOut());
}

TEST_F(ReportFontTest, AnInstalledTypefaceIsShownAndAnUnknownOneGivesTheDesktopFont) {
    const QString desktop = QApplication::font().family();
    QString installed;
    for (const QString& family : QFontDatabase::families()) {
        if (family != desktop && !family.contains(QLatin1Char('['))) {
            installed = family;
            break;
        }
    }
    ASSERT_FALSE(installed.isEmpty()) << "a second typeface is needed";
    const std::pair<QByteArray, QString> typefaces[] = {{installed.toUtf8(), installed},
                                                        {"No Such Face 4711", desktop},
                                                        {"MS Sans Serif", desktop},
                                                        {"", desktop}};
    for (const auto& [name, family] : typefaces) {
        SCOPED_TRACE(name.toStdString());
        startWith("\"Name\"=\"" + name +
                  "\"\n\"Size\"=dword:0000000e\n\"Italic\"=dword:00000001\n");
        EXPECT_EQ(shown().family(), family);
        EXPECT_EQ(shown().pointSize(), 14);
        EXPECT_TRUE(shown().italic());
        EXPECT_FALSE(shown().bold());
        // What was stored goes back as it was.
        EXPECT_EQ(window_->closingFont().name, QString::fromUtf8(name));
    }
}

TEST_F(ReportFontTest, ColourNumbersFollowTheDesktopPaletteForSystemColours) {
    const QPalette palette = QApplication::palette();
    EXPECT_EQ(colorFromCode(0x000000ff, palette), QColor(255, 0, 0));
    EXPECT_EQ(colorFromCode(0x00563412, palette), QColor(0x12, 0x34, 0x56));
    EXPECT_EQ(codeFromColor(QColor(0x12, 0x34, 0x56)), 0x00563412u);
    EXPECT_EQ(colorFromCode(0x80000008, palette), palette.color(QPalette::WindowText));
    EXPECT_EQ(colorFromCode(0x80000005, palette), palette.color(QPalette::Base));
    EXPECT_EQ(colorFromCode(0x8000000d, palette), palette.color(QPalette::Highlight));
    EXPECT_EQ(colorFromCode(0x800000ff, palette), palette.color(QPalette::WindowText));

    startWith("\"Color\"=dword:000000ff\n");
    EXPECT_EQ(window_->reportColor(), QColor(255, 0, 0));
    EXPECT_EQ(window_->closingFont().color, 0x000000ffu);
}

TEST_F(ReportFontTest, RestorePutsBackTheLaidOutFontOnlyOnYes) {
    startWith("\"Size\"=dword:0000000c\n\"Bold\"=dword:00000001\n\"Color\"=dword:00ff0000\n");
    const ReportFont stored = window_->closingFont();
    yes_ = false;
    window_->Button5Click();
    EXPECT_EQ(window_->closingFont(), stored);
    ASSERT_EQ(questions_.size(), 1u);
    EXPECT_EQ(questions_[0], "Messaggio / Ripristinare i caratteri predefiniti?");

    yes_ = true;
    window_->Button5Click();
    EXPECT_EQ(window_->closingFont(), ReportFont()); // "MS Sans Serif", -11, 8 points, no style
    EXPECT_EQ(shown().pointSize(), 8);
    EXPECT_FALSE(shown().bold());
    EXPECT_EQ(window_->reportColor(), window_->palette().color(QPalette::WindowText));
}

TEST_F(ReportFontTest, TheFontDialogStartsFromTheReportFontAndItsChoiceStays) {
    startWith("\"Size\"=dword:00000009\n\"Color\"=dword:00008000\n");
    window_->Button4Click(); // cancelled
    ASSERT_EQ(fontDialogs_.size(), 1u);
    EXPECT_EQ(fontDialogs_[0].font.pointSize(), 9);
    EXPECT_EQ(fontDialogs_[0].colorCode, 0x00008000u);
    EXPECT_EQ(window_->closingFont().size, 9);

    QFont chosen = QApplication::font();
    chosen.setPointSize(10);
    chosen.setBold(true);
    chosen.setUnderline(true);
    fontAnswer_ = FontChoice{chosen, 0x000000ff};
    window_->Button4Click();
    const ReportFont font = window_->closingFont();
    EXPECT_EQ(font.name, chosen.family());
    EXPECT_EQ(font.size, 10);
    EXPECT_EQ(font.height, -13);
    EXPECT_TRUE(font.bold);
    EXPECT_TRUE(font.underline);
    EXPECT_FALSE(font.italic);
    EXPECT_EQ(font.color, 0x000000ffu);
    EXPECT_EQ(child<QWidget>(ReportControl::Report)->font().pointSize(), 10);
}

TEST_F(ReportFontTest, AChosenFontSurvivesTwoProgramStarts) {
    startWith("");
    QFont chosen = QApplication::font();
    chosen.setPointSize(15);
    chosen.setItalic(true);
    chosen.setStrikeOut(true);
    fontAnswer_ = FontChoice{chosen, 0x80000008};
    window_->Button4Click();
    const ReportFont first = window_->closingFont();
    {
        SettingsStore store(settingsPath());
        ClosingSettings closing;
        closing.reportWindow = window_->closingBounds();
        closing.reportFont = first;
        writeClosingSettings(store, closing);
    }
    startFromFile();
    EXPECT_EQ(window_->closingFont(), first);
    EXPECT_EQ(shown().pointSize(), 15);
    EXPECT_TRUE(shown().italic());
    EXPECT_TRUE(shown().strikeOut());
    EXPECT_EQ(window_->reportColor(), window_->palette().color(QPalette::WindowText));
}

TEST_F(ReportFontTest, TheFontDialogOffersTheColours) {
    QFont start = QApplication::font();
    start.setPointSize(11);
    const QPalette palette = QApplication::palette();
    const struct {
        const char* name;
        std::uint32_t current;
        int offered; // window text, the sixteen basic colours and a current one of neither
        std::optional<std::uint32_t> chosen; // none: cancelled
    } rows[] = {{"window text", 0x80000008, 17, 0x000080},
                {"basic colour", 0x000080, 17, 0x80000008},
                {"own colour", 0x123456, 18, 0x00ff00},
                {"cancelled", 0x000080, 17, std::nullopt}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<QFontDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            auto* colors = dialog->findChild<QComboBox*>(QStringLiteral("colorChoice"));
            // The sample of the font is the line in a group box.
            QLineEdit* sample = nullptr;
            for (QLineEdit* line : dialog->findChildren<QLineEdit*>()) {
                if (qobject_cast<QGroupBox*>(line->parentWidget()) != nullptr) {
                    sample = line;
                }
            }
            if (colors == nullptr || sample == nullptr) {
                dialog->reject();
                FAIL() << "no colour choice or sample";
            }
            EXPECT_EQ(colors->count(), row.offered);
            // Beside the effects it belongs with, and heard under their name.
            auto* effects = qobject_cast<QGroupBox*>(colors->parentWidget());
            ASSERT_NE(effects, nullptr);
            EXPECT_GE(effects->layout()->indexOf(colors), 0);
            EXPECT_EQ(colors->accessibleName(), effects->title());
            EXPECT_EQ(colors->currentData().value<std::uint32_t>(), row.current);
            EXPECT_EQ(sample->palette().color(QPalette::Text), colorFromCode(row.current, palette));
            if (!row.chosen) {
                dialog->reject();
                return;
            }
            colors->setCurrentIndex(colors->findData(QVariant::fromValue(*row.chosen)));
            EXPECT_EQ(sample->palette().color(QPalette::Text), colorFromCode(*row.chosen, palette));
            dialog->accept();
        });
        const std::optional<FontChoice> choice = chooseFontAndColor(nullptr, {start, row.current});
        EXPECT_EQ(choice.has_value(), row.chosen.has_value());
        if (choice && row.chosen) {
            EXPECT_EQ(choice->colorCode, *row.chosen);
            EXPECT_EQ(choice->font.pointSize(), 11);
        }
    }
}

} // namespace
} // namespace quorvel::test
