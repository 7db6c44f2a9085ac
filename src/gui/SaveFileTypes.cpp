#include "gui/SaveFileTypes.h"

namespace quorvel {

SaveFileTypes::SaveFileTypes(const QString& filterText) {
    const QStringList parts = filterText.split(QLatin1Char('|'));
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString& pattern = parts[i + 1];
        nameFilters.append(parts[i] + QStringLiteral(" (") + pattern + QLatin1Char(')'));
        const qsizetype dot = pattern.lastIndexOf(QLatin1Char('.'));
        extensions.append(dot < 0 ? QString() : pattern.mid(dot + 1));
    }
}

QString withDefaultExtension(const QString& path, const QString& extension) {
    const QString name = path.mid(path.lastIndexOf(QLatin1Char('/')) + 1);
    if (name.isEmpty() || extension.isEmpty() || name.contains(QLatin1Char('.'))) {
        return path;
    }
    return path + QLatin1Char('.') + extension;
}

} // namespace quorvel
