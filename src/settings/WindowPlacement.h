#pragma once

#include "settings/SettingsNames.h"

#include <optional>

namespace quorvel {

class SettingsStore;

// A window's bounds as it hands them over when the program closes.
struct WindowBounds {
    int top = 0;
    int left = 0;
    int width = 0;
    int height = 0;
    bool placed = true; // false: never shown nor given a place, so top and left mean nothing
};

// A window's place as read from the settings; what is absent or rejected keeps its design value.
struct WindowPlacement {
    std::optional<int> top; // absent: the window system places the window
    std::optional<int> left;
    int width = 0;
    int height = 0;
    bool maximized = false;
};

// Reads the stored place of a window over `placement` from the open key; a stored width or
// height below the given minimum is ignored. Throws SettingsError on a value of the wrong type.
void readWindowPlacement(SettingsStore& store, const settings_names::WindowValueNames& names,
                         WindowPlacement& placement, int minWidth, int minHeight);

// Writes a window's place into the open key. The bounds of a maximized window are not written,
// so the stored ones stay for restoring it; nor are top and left of a window never placed.
void writeWindowPlacement(SettingsStore& store, const settings_names::WindowValueNames& names,
                          const WindowBounds& bounds, bool maximized);

// Whether the flag is stored and set; an absent flag is off.
bool storedFlag(SettingsStore& store, const QString& name);

} // namespace quorvel
