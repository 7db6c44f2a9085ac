#pragma once

#include "settings/ClosingSettings.h"

namespace quorvel::test {

// A whole set of closing settings in which every value tells which `value` it came from.
inline ClosingSettings sampleSettings(int value) {
    ClosingSettings s;
    s.mainWindow = {value, -value, 600 + value, 500 + value};
    s.leftDirectory = QStringLiteral("/left/%1").arg(value).toUtf8();
    s.rightDirectory = QStringLiteral("/right/%1").arg(value).toUtf8();
    s.reportWindow = {2 * value, 3 * value, 300 + value, 200 + value};
    s.language = static_cast<LanguageId>(value % 6 + 1);
    s.reportFont.name = QStringLiteral("Font %1").arg(value);
    return s;
}

} // namespace quorvel::test
