#include "settings/ReportWindowSettings.h"

#include "settings/SettingsNames.h"
#include "settings/SettingsStore.h"

#include <climits>

namespace quorvel {

namespace names = settings_names;

ReportWindowSettings readReportWindowSettings(SettingsStore& store, int pixelsPerInch) {
    ReportWindowSettings s;
    SettingsStore::KeyCloser closer(store);
    store.openKey(names::kProgramKey, true);

    readWindowPlacement(store, names::kForm2, s, INT_MIN, INT_MIN);

    store.openKey(names::kReportFontKey, true);
    ReportFont& font = s.font;
    if (store.valueExists(names::kColor)) {
        font.color = static_cast<std::uint32_t>(store.readInteger(names::kColor));
    }
    // Height before Size, so that Size decides when both are stored.
    if (store.valueExists(names::kHeight)) {
        font.setHeight(store.readInteger(names::kHeight), pixelsPerInch);
    }
    if (store.valueExists(names::kName)) {
        font.name = store.readString(names::kName);
    }
    if (store.valueExists(names::kSize)) {
        font.setSize(store.readInteger(names::kSize), pixelsPerInch);
    }
    // The stored flags replace the style: a flag that is absent is off.
    font.bold = storedFlag(store, names::kBold);
    font.italic = storedFlag(store, names::kItalic);
    font.underline = storedFlag(store, names::kUnderline);
    font.strikeOut = storedFlag(store, names::kStrikeOut);
    return s;
}

} // namespace quorvel
