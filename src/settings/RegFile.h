#pragma once

#include "settings/RegKey.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <vector>

namespace quorvel {

// The whole settings file in the registry's REGEDIT4 export format: the comments before the first
// key and the key sections, in file order, including keys and values this program does not use.
class RegFile {
public:
    // Full key paths ("HKEY_CURRENT_USER\Software\...") match without regard to ASCII case.
    const RegKey* key(QStringView path) const;
    RegKey& ensureKey(const QString& path);
    void addPreambleComment(QString line);

    const std::vector<RegKey>& keys() const { return keys_; }

    // UTF-8 with "\n" line ends.
    QByteArray serialize() const;

private:
    QStringList preamble_;
    std::vector<RegKey> keys_;
};

} // namespace quorvel
