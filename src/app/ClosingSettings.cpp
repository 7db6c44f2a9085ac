#include "app/ClosingSettings.h"

#include "app/SettingsNames.h"
#include "app/SettingsStore.h"

#include <cstdint>

namespace quorvel {

namespace names = settings_names;

void writeClosingSettings(SettingsStore& store, const ClosingSettings& s) {
    SettingsStore::KeyCloser closer(store);
    store.openKey(names::kProgramKey, true);

    if (!s.mainWindowMaximized) {
        store.writeInteger(names::kForm1Top, s.mainWindow.top);
        store.writeInteger(names::kForm1Left, s.mainWindow.left);
        store.writeInteger(names::kForm1Width, s.mainWindow.width);
        store.writeInteger(names::kForm1Height, s.mainWindow.height);
    }
    store.writeBool(names::kForm1Maximized, s.mainWindowMaximized);
    store.writeString(names::kCompDir1, s.leftDirectory);
    store.writeString(names::kCompDir2, s.rightDirectory);
    if (!s.reportWindowMaximized) {
        store.writeInteger(names::kForm2Top, s.reportWindow.top);
        store.writeInteger(names::kForm2Left, s.reportWindow.left);
        store.writeInteger(names::kForm2Width, s.reportWindow.width);
        store.writeInteger(names::kForm2Height, s.reportWindow.height);
    }
    store.writeBool(names::kForm2Maximized, s.reportWindowMaximized);
    // Sign-extended, so a language byte of 0xc8 is stored as -56.
    store.writeInteger(names::kLanguage, s.language);

    store.openKey(names::kReportFontKey, true);
    const ReportFont& font = s.reportFont;
    store.writeInteger(names::kColor, static_cast<std::int32_t>(font.color));
    store.writeInteger(names::kHeight, font.height);
    store.writeString(names::kName, font.name);
    store.writeInteger(names::kSize, font.size);
    store.writeBool(names::kBold, font.bold);
    store.writeBool(names::kItalic, font.italic);
    store.writeBool(names::kUnderline, font.underline);
    store.writeBool(names::kStrikeOut, font.strikeOut);
}

} // namespace quorvel
