#pragma once

#include <QString>

#include <stdexcept>

namespace quorvel {

// A settings read or write that failed. The texts are the store's own failure messages, shown as
// they are by the standard error display.
class SettingsError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;

    static SettingsError invalidType(const QString& valueName);
    static SettingsError failedToGet(const QString& valueName);
    static SettingsError failedToSet(const QString& valueName);
};

} // namespace quorvel
