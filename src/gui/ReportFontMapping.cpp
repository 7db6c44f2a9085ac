#include "gui/ReportFontMapping.h"

#include <QFontDatabase>

#include <algorithm>
#include <cmath>

namespace quorvel {

namespace {

constexpr std::uint32_t kSystemColorFlag = 0x80000000;
// Far beyond any report font, yet clear of sizes that make the glyph caches explode.
constexpr int kLargestPointSize = 1000;

// The scheme's colours that the desktop's palette also knows, by their index; any other index
// shows as window text.
QPalette::ColorRole roleOfSystemColor(std::uint32_t index) {
    switch (index) {
    case 1:
        return QPalette::Window; // desktop
    case 5:
        return QPalette::Base; // window background
    case 7:
        return QPalette::WindowText; // menu text
    case 9:
        return QPalette::HighlightedText; // caption text
    case 12:
        return QPalette::Dark; // application workspace
    case 13:
        return QPalette::Highlight;
    case 14:
        return QPalette::HighlightedText;
    case 15:
        return QPalette::Button;
    case 16:
        return QPalette::Dark; // button shadow
    case 17:
        return QPalette::PlaceholderText; // grey text
    case 18:
        return QPalette::ButtonText;
    case 20:
        return QPalette::Light; // button highlight
    case 21:
        return QPalette::Shadow;
    case 22:
        return QPalette::Midlight;
    case 23:
        return QPalette::ToolTipText;
    case 24:
        return QPalette::ToolTipBase;
    case 26:
        return QPalette::Link;
    default:
        return QPalette::WindowText;
    }
}

bool isInstalled(const QString& family) {
    return !family.isEmpty() && QFontDatabase::families().contains(family, Qt::CaseInsensitive);
}

} // namespace

bool isSystemColorCode(std::uint32_t code) {
    return (code & kSystemColorFlag) != 0;
}

QColor colorFromCode(std::uint32_t code, const QPalette& palette) {
    if (isSystemColorCode(code)) {
        return palette.color(QPalette::Active, roleOfSystemColor(code & ~kSystemColorFlag));
    }
    return QColor(static_cast<int>(code & 0xff), static_cast<int>((code >> 8) & 0xff),
                  static_cast<int>((code >> 16) & 0xff));
}

std::uint32_t codeFromColor(const QColor& color) {
    const QColor rgb = color.toRgb();
    return static_cast<std::uint32_t>(rgb.red()) | static_cast<std::uint32_t>(rgb.green()) << 8 |
           static_cast<std::uint32_t>(rgb.blue()) << 16;
}

QFont fontFromReportFont(const ReportFont& stored, const QFont& desktopDefault) {
    QFont font = desktopDefault;
    if (isInstalled(stored.name)) {
        font.setFamily(stored.name);
    }
    if (stored.size > 0) {
        font.setPointSize(std::min(stored.size, kLargestPointSize));
    } else if (stored.height != 0) {
        // Only a stored height that gives no size in points comes here.
        font.setPixelSize(std::min(std::abs(stored.height), kLargestPointSize));
    }
    font.setBold(stored.bold);
    font.setItalic(stored.italic);
    font.setUnderline(stored.underline);
    font.setStrikeOut(stored.strikeOut);
    return font;
}

ReportFont reportFontFromFont(const QFont& font, std::uint32_t colorCode, int pixelsPerInch) {
    ReportFont stored;
    stored.color = colorCode;
    stored.name = font.family();
    if (font.pointSize() > 0) {
        stored.setSize(font.pointSize(), pixelsPerInch);
    } else if (font.pixelSize() > 0) {
        stored.setHeight(-font.pixelSize(), pixelsPerInch);
    }
    stored.bold = font.bold();
    stored.italic = font.italic();
    stored.underline = font.underline();
    stored.strikeOut = font.strikeOut();
    return stored;
}

} // namespace quorvel
