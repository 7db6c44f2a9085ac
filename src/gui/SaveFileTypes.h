#pragma once

#include <QString>
#include <QStringList>

namespace quorvel {

// The file types of the save dialog, from a filter text of "description|pattern" pairs such as
// "Text file (TXT)|*.txt|HTML|*.html".
struct SaveFileTypes {
    explicit SaveFileTypes(const QString& filterText);

    QStringList nameFilters; // "Text file (TXT) (*.txt)", "HTML (*.html)"
    QStringList extensions;  // "txt", "html": what a name typed without one gets
};

// `path` with "." and `extension` appended when its file name has no extension of its own.
QString withDefaultExtension(const QString& path, const QString& extension);

} // namespace quorvel
