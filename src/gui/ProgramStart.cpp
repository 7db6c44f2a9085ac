#include "gui/ProgramStart.h"

#include "gui/Dialogs.h"
#include "gui/QtDialogLanguage.h"
#include "gui/QtText.h"
#include "lang/LanguageTable.h"
#include "settings/SettingsError.h"
#include "settings/SettingsNames.h"
#include "settings/SettingsStore.h"

#include <QDir>

#include <cstdint>
#include <exception>

namespace quorvel {

namespace {

// The stored language when it can be read, so the question speaks it; else none.
LanguageId storedLanguage(SettingsStore& settings) {
    SettingsStore::KeyCloser closer(settings);
    try {
        if (settings.openKey(settings_names::kProgramKey, false) &&
            settings.valueExists(settings_names::kLanguage)) {
            return static_cast<LanguageId>(
                static_cast<std::uint8_t>(settings.readInteger(settings_names::kLanguage) & 0xff));
        }
    } catch (const SettingsError&) {
    }
    return kNoLanguage;
}

bool askToStartWithout(const SettingsError& failure, SettingsStore& settings, Dialogs& dialogs) {
    // Before any language is read the box speaks English, as the sentence it quotes and its
    // buttons do: never another language around them.
    const LanguageId stored = storedLanguage(settings);
    const LanguageId id = isLanguage(stored) ? stored : kEnglish;
    useQtDialogLanguage(id); // the box's own buttons too
    auto text = [id](MessageKey key) { return toQString(languageText(id, key).value_or("")); };
    const QString question = QString::fromUtf8(failure.what()) + QLatin1Char('\n') +
                             text(MessageKey::txtSettingsFile) + QLatin1Char(' ') +
                             QDir::toNativeSeparators(settings.filePath()) +
                             QStringLiteral("\n\n") + text(MessageKey::askStartWithoutValue);
    return dialogs.askYesNo(nullptr, question, text(MessageKey::capError), QMessageBox::Warning);
}

} // namespace

std::unique_ptr<ProgramWindows> startProgramWindows(LanguageStrings& strings, Report& report,
                                                    FileAccess& files, SettingsStore& settings,
                                                    Dialogs& dialogs, QString installedHelpFolder) {
    for (;;) {
        try {
            return std::make_unique<ProgramWindows>(strings, report, files, settings, dialogs,
                                                    installedHelpFolder);
        } catch (const SettingsError& failure) {
            if (!failure.onRead()) {
                dialogs.showFailure(nullptr, QString::fromUtf8(failure.what()));
                return nullptr;
            }
            if (!askToStartWithout(failure, settings, dialogs)) {
                return nullptr;
            }
            settings.leaveOut(failure.valueName());
        } catch (const std::exception& failure) {
            dialogs.showFailure(nullptr, QString::fromUtf8(failure.what()));
            return nullptr;
        }
    }
}

} // namespace quorvel
