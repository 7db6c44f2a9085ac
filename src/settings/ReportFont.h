#pragma once

#include <QString>

#include <cstdint>

namespace quorvel {

// The report's font as it is stored. Height and size are two measures of one quantity, so each
// setter brings the other along at the screen's pixels per inch, the later one deciding.
struct ReportFont {
    // A system colour is 0x80000000 plus its index; 8 is the window-text colour.
    static constexpr std::uint32_t kWindowTextColor = 0x80000008;
    static constexpr int kDefaultPixelsPerInch = 96;

    // Pixels; a negative height excludes the internal leading.
    void setHeight(int pixels, int pixelsPerInch);
    void setSize(int points, int pixelsPerInch);

    bool operator==(const ReportFont&) const = default;

    std::uint32_t color = kWindowTextColor;
    int height = -11;
    QString name = QStringLiteral("MS Sans Serif");
    int size = 8;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
};

} // namespace quorvel
