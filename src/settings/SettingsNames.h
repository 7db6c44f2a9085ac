#pragma once

#include <QLatin1StringView>

// The keys and value names of the stored settings.
namespace quorvel::settings_names {

inline constexpr QLatin1StringView kProgramKey("\\Software\\Quorvel");
inline constexpr QLatin1StringView kReportFontKey("ReportFont");

inline constexpr QLatin1StringView kForm1Top("Form1Top");
inline constexpr QLatin1StringView kForm1Left("Form1Left");
inline constexpr QLatin1StringView kForm1Width("Form1Width");
inline constexpr QLatin1StringView kForm1Height("Form1Height");
inline constexpr QLatin1StringView kForm1Maximized("Form1Maximized");
inline constexpr QLatin1StringView kLanguage("Language");
inline constexpr QLatin1StringView kCompDir1("CompDir1");
inline constexpr QLatin1StringView kCompDir2("CompDir2");

inline constexpr QLatin1StringView kForm2Top("Form2Top");
inline constexpr QLatin1StringView kForm2Left("Form2Left");
inline constexpr QLatin1StringView kForm2Width("Form2Width");
inline constexpr QLatin1StringView kForm2Height("Form2Height");
inline constexpr QLatin1StringView kForm2Maximized("Form2Maximized");

// The values that hold a window's place.
struct WindowValueNames {
    QLatin1StringView top;
    QLatin1StringView left;
    QLatin1StringView width;
    QLatin1StringView height;
    QLatin1StringView maximized;
};
inline constexpr WindowValueNames kForm1{kForm1Top, kForm1Left, kForm1Width, kForm1Height,
                                         kForm1Maximized};
inline constexpr WindowValueNames kForm2{kForm2Top, kForm2Left, kForm2Width, kForm2Height,
                                         kForm2Maximized};

inline constexpr QLatin1StringView kColor("Color");
inline constexpr QLatin1StringView kHeight("Height");
inline constexpr QLatin1StringView kName("Name");
inline constexpr QLatin1StringView kSize("Size");
inline constexpr QLatin1StringView kBold("Bold");
inline constexpr QLatin1StringView kItalic("Italic");
inline constexpr QLatin1StringView kUnderline("Underline");
inline constexpr QLatin1StringView kStrikeOut("StrikeOut");

} // namespace quorvel::settings_names
