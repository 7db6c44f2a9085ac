#pragma once

#include "settings/ReportFont.h"

#include <QColor>
#include <QFont>
#include <QPalette>

#include <cstdint>

namespace quorvel {

// The stored colour number: an explicit colour is 0x00BBGGRR; 0x80000000 plus an index is a
// colour of the desktop's scheme.
QColor colorFromCode(std::uint32_t code, const QPalette& palette);
std::uint32_t codeFromColor(const QColor& color);
bool isSystemColorCode(std::uint32_t code);

// The font to show and print with. A typeface that is empty or not installed gives the desktop's
// default one, keeping the stored size and style.
QFont fontFromReportFont(const ReportFont& stored, const QFont& desktopDefault);

// What is stored of a font; its height follows its size at `pixelsPerInch`.
ReportFont reportFontFromFont(const QFont& font, std::uint32_t colorCode, int pixelsPerInch);

} // namespace quorvel
