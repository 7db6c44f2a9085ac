#include "gui/WindowFixture.h"

#include "lang/LanguageTable.h"

#include <QFile>
#include <QGuiApplication>
#include <QScreen>

namespace quorvel::test {
namespace {

using SettingsFaultBoxTest = WindowFixture;

QString germanText(MessageKey key) {
    return QString::fromUtf8(languageText(kGerman, key).value_or(""));
}

TEST_F(SettingsFaultBoxTest, ADamagedFileIsToldOnceInTheLanguageKeptFromIt) {
    tree_.mkdir("left");
    // The last line cut short: the language and the folder before it stay.
    writeSettings("\"Language\"=dword:00000004\n\"CompDir1\"=\"" +
                  QByteArray::fromStdString(tree_.path("left")) + "\"\n\"Form2Top\"=dwo");
    MainWindow& window = makeWindow();
    showAndActivate();
    EXPECT_EQ(window.currentLanguage(), kGerman);
    EXPECT_EQ(window.leftDirectory(), tree_.path("left"));
    ASSERT_EQ(dialogs_.boxes.size(), 1u);
    const RecordingDialogs::Box& box = dialogs_.boxes[0];
    EXPECT_EQ(box.kind, RecordingDialogs::Box::Kind::Message);
    EXPECT_EQ(box.text,
              germanText(MessageKey::errSettingsDamaged) + "\n" + settingsPath() + ".bad");
    EXPECT_EQ(box.caption, germanText(MessageKey::capMessage));
    EXPECT_TRUE(QFile::exists(settingsPath() + ".bad"));

    window.SpeedButton7Click(); // the language again: no second box
    EXPECT_EQ(dialogs_.boxes.size(), 1u);
}

TEST_F(SettingsFaultBoxTest, AStoredPlaceOffEveryScreenComesOntoTheNearestKeepingItsSize) {
    writeSettings("\"Language\"=dword:00000001\n\"Form1Left\"=dword:ffffd8f0\n"
                  "\"Form1Top\"=dword:ffffd8f0\n\"Form1Width\"=dword:00000258\n");
    MainWindow& window = makeWindow();
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_TRUE(screen.contains(window.pos())) << window.x() << "," << window.y();
    EXPECT_EQ(window.width(), 600);
    showAndActivate();
    EXPECT_TRUE(screen.contains(window.frameGeometry().topLeft()));
}

} // namespace
} // namespace quorvel::test
