#pragma once

#include "lang/LanguageId.h"
#include "settings/ReportFont.h"
#include "settings/WindowPlacement.h"

#include <QByteArray>

namespace quorvel {

class SettingsStore;

// What the program stores when the main window closes.
struct ClosingSettings {
    WindowBounds mainWindow;
    bool mainWindowMaximized = false;
    QByteArray leftDirectory; // the path's bytes, whatever their encoding
    QByteArray rightDirectory;
    WindowBounds reportWindow; // as applied at start if it was never shown
    bool reportWindowMaximized = false;
    LanguageId language = kNoLanguage;
    ReportFont reportFont;
};

// Bounds of a maximized window are not written, so the stored ones stay for restoring it. All are
// saved in one replacement of the file; when that fails, the file stays as it was and SettingsError
// names the first value.
void writeClosingSettings(SettingsStore& store, const ClosingSettings& settings);

} // namespace quorvel
