#include "settings/SettingsError.h"

namespace quorvel {

namespace {

SettingsError withName(const char* format, const QString& valueName) {
    return SettingsError(QString::fromLatin1(format).arg(valueName).toStdString());
}

} // namespace

SettingsError SettingsError::invalidType(const QString& valueName) {
    return withName("Invalid data type for '%1'", valueName);
}

SettingsError SettingsError::failedToGet(const QString& valueName) {
    return withName("Failed to get data for '%1'", valueName);
}

SettingsError SettingsError::failedToSet(const QString& valueName) {
    return withName("Failed to set data for '%1'", valueName);
}

} // namespace quorvel
