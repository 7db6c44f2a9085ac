#pragma once

#include "app/ReportFont.h"

#include <optional>

namespace quorvel {

class SettingsStore;

// What the report window takes from the settings when it is constructed. Its bounds have no
// lower limit of their own.
struct ReportWindowSettings {
    static constexpr int kDesignWidth = 595;
    static constexpr int kDesignHeight = 420;

    std::optional<int> top; // absent: the window system places the window
    std::optional<int> left;
    int width = kDesignWidth;
    int height = kDesignHeight;
    bool maximized = false;
    ReportFont font;
};

// Throws SettingsError when a stored value has the wrong type.
ReportWindowSettings
readReportWindowSettings(SettingsStore& store,
                         int pixelsPerInch = ReportFont::kDefaultPixelsPerInch);

} // namespace quorvel
