#include "settings/WindowPlacement.h"

#include "settings/SettingsStore.h"

namespace quorvel {

namespace {

std::optional<int> storedInteger(SettingsStore& store, const QString& name) {
    if (!store.valueExists(name)) {
        return std::nullopt;
    }
    return store.readInteger(name);
}

} // namespace

void readWindowPlacement(SettingsStore& store, const settings_names::WindowValueNames& names,
                         WindowPlacement& placement, int minWidth, int minHeight) {
    if (const auto top = storedInteger(store, names.top)) {
        placement.top = top;
    }
    if (const auto left = storedInteger(store, names.left)) {
        placement.left = left;
    }
    if (const auto width = storedInteger(store, names.width); width && *width >= minWidth) {
        placement.width = *width;
    }
    if (const auto height = storedInteger(store, names.height); height && *height >= minHeight) {
        placement.height = *height;
    }
    placement.maximized = storedFlag(store, names.maximized);
}

void writeWindowPlacement(SettingsStore& store, const settings_names::WindowValueNames& names,
                          const WindowBounds& bounds, bool maximized) {
    if (!maximized) {
        if (bounds.placed) {
            store.writeInteger(names.top, bounds.top);
            store.writeInteger(names.left, bounds.left);
        }
        store.writeInteger(names.width, bounds.width);
        store.writeInteger(names.height, bounds.height);
    }
    store.writeBool(names.maximized, maximized);
}

bool storedFlag(SettingsStore& store, const QString& name) {
    return store.valueExists(name) && store.readBool(name);
}

} // namespace quorvel
