#include "settings/MainWindowSettings.h"

#include "settings/SettingsNames.h"
#include "settings/SettingsStore.h"

#include <sys/stat.h>

#include <cstdint>

namespace quorvel {

namespace names = settings_names;

namespace {

std::optional<QByteArray> existingDirectory(SettingsStore& store, const QString& name) {
    if (!store.valueExists(name)) {
        return std::nullopt;
    }
    const QByteArray dir = store.readPath(name);
    struct stat info {};
    if (dir.isEmpty() || ::stat(dir.constData(), &info) != 0 || !S_ISDIR(info.st_mode)) {
        return std::nullopt;
    }
    return dir;
}

} // namespace

MainWindowSettings readMainWindowSettings(SettingsStore& store) {
    MainWindowSettings s;
    SettingsStore::KeyCloser closer(store);
    store.openKey(names::kProgramKey, true);

    readWindowPlacement(store, names::kForm1, s, MainWindowSettings::kMinStoredWidth,
                        MainWindowSettings::kMinStoredHeight);
    if (store.valueExists(names::kLanguage)) {
        // Only the low byte counts, taken as signed.
        const auto low = static_cast<std::uint8_t>(store.readInteger(names::kLanguage) & 0xff);
        s.language = static_cast<LanguageId>(low);
    }
    s.leftDirectory = existingDirectory(store, names::kCompDir1);
    s.rightDirectory = existingDirectory(store, names::kCompDir2);
    return s;
}

} // namespace quorvel
