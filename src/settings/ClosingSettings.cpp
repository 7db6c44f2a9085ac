#include "settings/ClosingSettings.h"

#include "settings/SettingsNames.h"
#include "settings/SettingsStore.h"

#include <cstdint>

namespace quorvel {

namespace names = settings_names;

void writeClosingSettings(SettingsStore& store, const ClosingSettings& s) {
    SettingsStore::KeyCloser closer(store);
    store.openKey(names::kProgramKey, true);
    // One replacement of the file for all of them.
    SettingsStore::Batch batch(store);

    writeWindowPlacement(store, names::kForm1, s.mainWindow, s.mainWindowMaximized);
    store.writePath(names::kCompDir1, s.leftDirectory);
    store.writePath(names::kCompDir2, s.rightDirectory);
    writeWindowPlacement(store, names::kForm2, s.reportWindow, s.reportWindowMaximized);
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
    batch.commit();
}

} // namespace quorvel
