#pragma once

#include <QString>

#include <stdexcept>
#include <string>
#include <utility>

namespace quorvel {

// A settings read or write that failed. The texts are the store's own failure messages, shown as
// they are by the standard error display.
class SettingsError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
    SettingsError(const std::string& message, QString valueName, bool onRead)
        : std::runtime_error(message), valueName_(std::move(valueName)), onRead_(onRead) {}

    static SettingsError invalidType(const QString& valueName);
    static SettingsError failedToGet(const QString& valueName);
    static SettingsError failedToSet(const QString& valueName);

    // The value it is about.
    const QString& valueName() const { return valueName_; }
    // A stored value that could not be read, as opposed to a write that failed.
    bool onRead() const { return onRead_; }

private:
    QString valueName_;
    bool onRead_ = false;
};

} // namespace quorvel
