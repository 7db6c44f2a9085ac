#pragma once

#include "settings/RegValue.h"

#include <QString>

#include <vector>

namespace quorvel {

// One [key] section of the settings file: its values and comment lines, in file order.
class RegKey {
public:
    struct Entry {
        bool isComment = false;
        QString comment; // the whole line, ";" included
        QString name;    // empty for the key's default value "@"
        RegValue value;
    };

    explicit RegKey(QString path);

    const QString& path() const { return path_; }
    const std::vector<Entry>& entries() const { return entries_; }

    // Names match without regard to ASCII case.
    const RegValue* value(QStringView name) const;
    // An existing value keeps its spelling and its place; a new one goes last.
    void setValue(const QString& name, RegValue value);
    void addComment(QString line);

private:
    QString path_;
    std::vector<Entry> entries_;
};

} // namespace quorvel
