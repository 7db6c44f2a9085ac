#pragma once

#include "lang/LanguageId.h"
#include "settings/WindowPlacement.h"

#include <QByteArray>

#include <optional>

namespace quorvel {

class SettingsStore;

// What the main window takes from the settings when it is constructed. Absent or rejected values
// leave the design values in place.
struct MainWindowSettings : WindowPlacement {
    static constexpr int kDesignWidth = 499;
    static constexpr int kDesignHeight = 452;
    static constexpr int kMinStoredWidth = 498;
    static constexpr int kMinStoredHeight = 450;

    MainWindowSettings() : WindowPlacement{{}, {}, kDesignWidth, kDesignHeight, false} {}

    LanguageId language = kNoLanguage;
    std::optional<QByteArray> leftDirectory; // only a stored directory that exists, as bytes
    std::optional<QByteArray> rightDirectory;
};

// Throws SettingsError when a stored value has the wrong type.
MainWindowSettings readMainWindowSettings(SettingsStore& store);

} // namespace quorvel
