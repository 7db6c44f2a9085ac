#include "settings/SettingsError.h"

namespace quorvel {

namespace {

SettingsError withName(const char* format, const QString& valueName, bool onRead) {
    return SettingsError(QString::fromLatin1(format).arg(valueName).toStdString(), valueName,
                         onRead);
}

} // namespace

SettingsError SettingsError::invalidType(const QString& valueName) {
    return withName("Invalid data type for '%1'", valueName, true);
}

SettingsError SettingsError::failedToGet(const QString& valueName) {
    return withName("Failed to get data for '%1'", valueName, true);
}

SettingsError SettingsError::failedToSet(const QString& valueName) {
    return withName("Failed to set data for '%1'", valueName, false);
}

} // namespace quorvel
