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
#include <set>
#include <string>

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

bool askToStartWithout(const QStringList& failures, SettingsStore& settings, Dialogs& dialogs) {
    // Before any language is read the box speaks English, as the sentences it quotes and its
    // buttons do: never another language around them.
    const LanguageId stored = storedLanguage(settings);
    const LanguageId id = isLanguage(stored) ? stored : kEnglish;
    useQtDialogLanguage(id); // the box's own buttons too
    auto text = [id](MessageKey key) { return toQString(languageText(id, key).value_or("")); };
    const QString question = failures.join(QLatin1Char('\n')) + QLatin1Char('\n') +
                             text(MessageKey::txtSettingsFile) + QLatin1Char(' ') +
                             QDir::toNativeSeparators(settings.filePath()) +
                             QStringLiteral("\n\n") + text(MessageKey::askStartWithoutValue);
    return dialogs.askYesNo(nullptr, question, text(MessageKey::capError), QMessageBox::Warning);
}

} // namespace

std::unique_ptr<ProgramWindows> startProgramWindows(LanguageStrings& strings, Report& report,
                                                    FileAccess& files, SettingsStore& settings,
                                                    Dialogs& dialogs, QString installedHelpFolder) {
    // Every value of the wrong type is named in one question, asked once all are known.
    QStringList failures;
    std::set<std::string> leftOut;
    std::unique_ptr<ProgramWindows> windows;
    while (!windows) {
        try {
            windows = std::make_unique<ProgramWindows>(strings, report, files, settings, dialogs,
                                                       installedHelpFolder);
        } catch (const SettingsError& failure) {
            if (!failure.onRead() || !leftOut.insert(failure.valueName().toStdString()).second) {
                dialogs.showFailure(nullptr, QString::fromUtf8(failure.what()));
                return nullptr;
            }
            failures << QString::fromUtf8(failure.what());
            settings.leaveOut(failure.valueName());
        } catch (const std::exception& failure) {
            dialogs.showFailure(nullptr, QString::fromUtf8(failure.what()));
            return nullptr;
        }
    }
    if (!failures.isEmpty() && !askToStartWithout(failures, settings, dialogs)) {
        return nullptr;
    }
    return windows;
}

} // namespace quorvel
