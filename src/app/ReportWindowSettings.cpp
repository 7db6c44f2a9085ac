#include "app/ReportWindowSettings.h"

#include "app/SettingsNames.h"
#include "app/SettingsStore.h"

namespace quorvel {

namespace names = settings_names;

namespace {

bool flag(SettingsStore& store, const QString& name) {
    return store.valueExists(name) && store.readBool(name);
}

} // namespace

ReportWindowSettings readReportWindowSettings(SettingsStore& store, int pixelsPerInch) {
    ReportWindowSettings s;
    SettingsStore::KeyCloser closer(store);
    store.openKey(names::kProgramKey, true);

    if (store.valueExists(names::kForm2Top)) {
        s.top = store.readInteger(names::kForm2Top);
    }
    if (store.valueExists(names::kForm2Left)) {
        s.left = store.readInteger(names::kForm2Left);
    }
    if (store.valueExists(names::kForm2Width)) {
        s.width = store.readInteger(names::kForm2Width);
    }
    if (store.valueExists(names::kForm2Height)) {
        s.height = store.readInteger(names::kForm2Height);
    }
    s.maximized = flag(store, names::kForm2Maximized);

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
    font.bold = flag(store, names::kBold);
    font.italic = flag(store, names::kItalic);
    font.underline = flag(store, names::kUnderline);
    font.strikeOut = flag(store, names::kStrikeOut);
    return s;
}

} // namespace quorvel
