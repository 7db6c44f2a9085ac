#include "gui/WindowFixture.h"

#include "gui/ProgramStart.h"
#include "lang/LanguageTable.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLibraryInfo>
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

    window.chooseLanguage(); // the language again: no second box
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

TEST_F(SettingsFaultBoxTest, AValueOfTheWrongTypeNamesTheFileAndTheUserMayStartWithoutIt) {
    struct Row {
        const char* name;
        QByteArray values;
        QString messages; // every value that cannot be read, named in one question
        LanguageId boxLanguage;
    };
    const Row rows[] = {
        {"one value",
         "\"Language\"=dword:00000004\n\"Form1Top\"=\"100\"\n\"Form1Left\"=dword:00000020\n",
         "Invalid data type for 'Form1Top'", kGerman},
        {"the language itself", "\"Language\"=\"4\"\n\"Form1Left\"=dword:00000020\n",
         "Invalid data type for 'Language'", kEnglish},
        {"two values, one of the report window",
         "\"Language\"=dword:00000001\n\"Form1Top\"=\"x\"\n\"Form2Width\"=\"y\"\n"
         "\"Form1Left\"=dword:00000020\n",
         "Invalid data type for 'Form1Top'\nInvalid data type for 'Form2Width'", kEnglish},
    };
    const bool haveGermanButtons = QFile::exists(
        QLibraryInfo::path(QLibraryInfo::TranslationsPath) + QStringLiteral("/qtbase_de.qm"));
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        writeSettings(row.values);
        dialogs_.boxes.clear();
        dialogs_.answerYes = true;
        settings_ = std::make_unique<SettingsStore>(settingsPath());
        auto windows = startProgramWindows(strings_, report_, files_, *settings_, dialogs_, {});
        ASSERT_NE(windows, nullptr);
        EXPECT_EQ(windows->mainWindow().x(), 32) << "the other values are read";
        ASSERT_EQ(dialogs_.boxes.size(), 1u);
        const auto text = [&row](MessageKey key) {
            return QString::fromUtf8(languageText(row.boxLanguage, key).value_or(""));
        };
        EXPECT_EQ(dialogs_.boxes[0].kind, RecordingDialogs::Box::Kind::Question);
        EXPECT_EQ(dialogs_.boxes[0].text, row.messages + "\n" + text(MessageKey::txtSettingsFile) +
                                              " " + settingsPath() + "\n\n" +
                                              text(MessageKey::askStartWithoutValue));
        EXPECT_EQ(dialogs_.boxes[0].caption, text(MessageKey::capError));
        // The box's own buttons speak its language too (where Qt's translations are installed).
        const QString yes = QCoreApplication::translate("QPlatformTheme", "&Yes");
        EXPECT_EQ(yes == "&Ja", row.boxLanguage == kGerman && haveGermanButtons)
            << yes.toStdString();
        // Closing stores the value anew, of the right type.
        windows->mainWindow().close();
        const QByteArray stored = settingsBytes();
        for (const char* wrong : {"Form1Top\"=\"", "Language\"=\"", "Form2Width\"=\""}) {
            EXPECT_FALSE(stored.contains(wrong)) << stored.toStdString();
        }
        windows.reset();
    }

    // Declined, the program does not start.
    writeSettings("\"Form1Top\"=\"100\"\n");
    dialogs_.boxes.clear();
    dialogs_.answerYes = false;
    settings_ = std::make_unique<SettingsStore>(settingsPath());
    EXPECT_EQ(startProgramWindows(strings_, report_, files_, *settings_, dialogs_, {}), nullptr);
    EXPECT_EQ(dialogs_.boxes.size(), 1u);
    EXPECT_EQ(
        settingsBytes(),
        QByteArray("REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\Quorvel]\n\"Form1Top\"=\"100\"\n"));
}

TEST_F(SettingsFaultBoxTest, SettingsThatCanNeitherBeReadNorWrittenAreToldAtStartAndAtClose) {
    const auto english = [](MessageKey key) {
        return QString::fromUtf8(languageText(kEnglish, key).value_or(""));
    };
    for (const bool bySignal : {false, true}) {
        SCOPED_TRACE(bySignal ? "closed by a signal" : "closed by the user");
        QDir().mkpath(settingsPath()); // a folder where the file should be
        dialogs_.boxes.clear();
        settings_ = std::make_unique<SettingsStore>(settingsPath());
        MainWindow& window = makeWindow();
        showAndActivate();
        ASSERT_EQ(dialogs_.boxes.size(), 1u);
        EXPECT_EQ(dialogs_.boxes[0].text, english(MessageKey::errSettingsUnusable) + "\n" +
                                              settingsPath() + "\nnot a regular file");
        bySignal ? window.closeForSignal() : static_cast<void>(window.close());
        // Nothing waits for a click while a signal ends the program.
        ASSERT_EQ(dialogs_.boxes.size(), bySignal ? 1u : 2u);
        if (!bySignal) {
            EXPECT_EQ(dialogs_.boxes[1].kind, RecordingDialogs::Box::Kind::Failure);
            EXPECT_EQ(dialogs_.boxes[1].text, english(MessageKey::errSettingsNotSaved) + "\n" +
                                                  settingsPath() + "\nnot a regular file");
        }
        EXPECT_TRUE(QFileInfo(settingsPath()).isDir());
    }
}

} // namespace
} // namespace quorvel::test
