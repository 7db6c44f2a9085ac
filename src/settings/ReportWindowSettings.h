#pragma once

#include "settings/ReportFont.h"
#include "settings/WindowPlacement.h"

#include <optional>

namespace quorvel {

class SettingsStore;

// What the report window takes from the settings when it is constructed. Its bounds have no
// lower limit of their own.
struct ReportWindowSettings : WindowPlacement {
    static constexpr int kDesignWidth = 595;
    static constexpr int kDesignHeight = 420;

    ReportWindowSettings() : WindowPlacement{{}, {}, kDesignWidth, kDesignHeight, false} {}

    ReportFont font;
};

// Throws SettingsError when a stored value has the wrong type.
ReportWindowSettings
readReportWindowSettings(SettingsStore& store,
                         int pixelsPerInch = ReportFont::kDefaultPixelsPerInch);

} // namespace quorvel
