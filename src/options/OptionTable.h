#pragma once

#include "engine/CompareMode.h"
#include "engine/CompareOptions.h"
#include "lang/UiKey.h"

#include <array>
#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <type_traits>

namespace quorvel {

// What one of the companion's flags does to its option.
enum class FlagEffect { On, Off, AddPatterns, PatternsFromFile, Choose };

struct OptionFlag {
    std::string_view name; // "" where the option has no second flag
    std::string_view argument;
    FlagEffect effect = FlagEffect::On;
    std::string_view usage; // its help text; lines after the first are indented there
};

// The modes an option applies to: all, directory with directory, or both modes that pair files
// with their namesakes in a directory.
enum class OptionModes { All, Directories, DirectoryModes };

// How a report's heading names an option whose value is not the default: by the option's
// caption, by it and the value quoted, or by the caption of the value chosen.
enum class OptionHeading { None, Caption, QuotedValue, ChoiceCaption };

// One value of an option that takes one of a few words.
struct OptionChoice {
    std::string_view word; // the companion's and the JSON's
    NameRule value;
    UiKey caption; // the window's and the heading's
};

inline constexpr std::array<OptionChoice, 4> kNameChoices{{
    {"exact", NameRule::Exact, UiKey::uiNamesExact},
    {"case", NameRule::Case, UiKey::uiNamesCase},
    {"unicode", NameRule::Unicode, UiKey::uiNamesUnicode},
    {"case,unicode", NameRule::CaseUnicode, UiKey::uiNamesCaseUnicode},
}};

// One option of a comparison, everywhere it shows: its value in the request, the companion's
// flags and help, its key in the report for scripts, the heading that names it, the modes it
// applies to and the window's control.
struct OptionRow {
    bool CompareOptions::*onOff = nullptr;
    std::string CompareOptions::*patterns = nullptr;
    std::string_view jsonKey;
    OptionModes modes = OptionModes::All;
    // The companion refuses it in the file modes; the older options are taken there and left
    // unused, as scripts have always given them.
    bool refusedElsewhere = false;
    OptionHeading heading = OptionHeading::None;
    UiKey caption;                 // the window's word for it, which a heading uses too
    std::string_view control;      // the window's control for it
    std::string_view controlLabel; // a label of its own beside the control, where it has one
    std::array<OptionFlag, 2> flags;
    // An option that takes one of a few words, the first its default.
    NameRule CompareOptions::*choice = nullptr;
    std::span<const OptionChoice> choices{};
    // The report for scripts names it only where it is not its default, so that without it a
    // start object reads as it did before the option was.
    bool jsonKeyWhenSet = false;
};

// In the order of the companion's help.
inline constexpr std::array<OptionRow, 9> kOptionTable{{
    {&CompareOptions::fast,
     nullptr,
     "fast",
     OptionModes::All,
     false,
     OptionHeading::Caption,
     UiKey::uiFastCompare,
     "CheckBoxSoloDim",
     "",
     {{{"--fast", "", FlagEffect::On, "compare sizes only"}}}},
    {&CompareOptions::recurse,
     nullptr,
     "recurse",
     OptionModes::Directories,
     false,
     OptionHeading::None,
     UiKey::uiRecurse,
     "CheckBoxRecurse",
     "",
     {{{"--no-recurse", "", FlagEffect::Off,
        "do not descend into subdirectories (directory mode)"}}}},
    {&CompareOptions::onlyDifferent,
     nullptr,
     "only_different",
     OptionModes::Directories,
     false,
     OptionHeading::None,
     UiKey::uiOnlyDifferent,
     "CheckBoxSoloDiversi",
     "",
     {{{"--all", "", FlagEffect::Off, "list equal files too (directory mode)"}}}},
    {nullptr,
     &CompareOptions::filter,
     "filter",
     OptionModes::Directories,
     false,
     OptionHeading::QuotedValue,
     UiKey::uiFilter,
     "EditFiltro",
     "Label6",
     {{{"--filter", "PATTERNS", FlagEffect::AddPatterns,
        "file name patterns separated by ';' (default \"*.*\");\ngiven twice, they add up"}}}},
    {nullptr,
     &CompareOptions::exclusions,
     "exclusions",
     OptionModes::Directories,
     true,
     OptionHeading::QuotedValue,
     UiKey::uiExclude,
     "EditExclude",
     "LabelExclude",
     {{{"--exclude", "PATTERNS", FlagEffect::AddPatterns,
        "leave out files and directories whose names match these\npatterns, on both sides "
        "(directory mode); they add up"},
       {"--exclude-from", "FILE", FlagEffect::PatternsFromFile,
        "exclusion patterns from FILE, one a line"}}}},
    {&CompareOptions::bothSides,
     nullptr,
     "both",
     OptionModes::Directories,
     true,
     OptionHeading::None,
     UiKey::uiBothSides,
     "CheckBoxBothSides",
     "",
     {{{"--both", "", FlagEffect::On,
        "list files found only in the second directory too (the\ndefault in directory mode)"},
       {"--one-sided", "", FlagEffect::Off,
        "list only what the first side holds, as the window does"}}}},
    {nullptr,
     nullptr,
     "names",
     OptionModes::DirectoryModes,
     false,
     OptionHeading::ChoiceCaption,
     UiKey::uiNames,
     "ComboNames",
     "LabelNames",
     {{{"--names", "RULE", FlagEffect::Choose,
        "which names are namesakes: exact (the default), case (also\nnames that differ only in "
        "letter case), unicode (also names\nin another Unicode normal form) or case,unicode "
        "(directory\nmodes; no manifests)"}}},
     &CompareOptions::names,
     kNameChoices,
     true},
    {&CompareOptions::moves,
     nullptr,
     "moves",
     OptionModes::Directories,
     true,
     OptionHeading::Caption,
     UiKey::uiMoves,
     "CheckBoxMoves",
     "",
     {{{"--moves", "", FlagEffect::On,
        "a file only in the first directory and one only in the\nsecond with equal contents are "
        "one moved file (directory\nmode; lists files only in the second too)"}}},
     nullptr,
     {},
     true},
    {&CompareOptions::anywhere,
     nullptr,
     "anywhere",
     OptionModes::Directories,
     true,
     OptionHeading::Caption,
     UiKey::uiAnywhere,
     "",
     "",
     {{{"--anywhere", "", FlagEffect::On,
        "tell of each file of the first tree whether its contents\nare anywhere in the second, "
        "whatever the name or folder\n(directory mode; no manifests)"}}},
     nullptr,
     {},
     true},
}};

inline constexpr std::size_t kOptionCount = kOptionTable.size();

// The row of a member of CompareOptions.
template <class T>
constexpr const OptionRow& optionRow(T CompareOptions::*member) {
    for (const auto& row : kOptionTable) {
        if constexpr (std::is_same_v<T, bool>) {
            if (row.onOff == member) {
                return row;
            }
        } else if constexpr (std::is_same_v<T, NameRule>) {
            if (row.choice == member) {
                return row;
            }
        } else {
            if (row.patterns == member) {
                return row;
            }
        }
    }
    return kOptionTable.front();
}

// Whether the option has a meaning in a run of `mode`.
constexpr bool appliesTo(const OptionRow& row, CompareMode mode) {
    switch (row.modes) {
    case OptionModes::All:
        return true;
    case OptionModes::Directories:
        return mode == CompareMode::DirectoryWithDirectory;
    case OptionModes::DirectoryModes:
        return mode == CompareMode::FilesWithDirectory ||
               mode == CompareMode::DirectoryWithDirectory;
    }
    return false;
}

// The choice a choice option holds in `options`.
const OptionChoice& chosen(const OptionRow& row, const CompareOptions& options);
// The value a choice option's word stands for; nothing for a word none of its choices has.
std::optional<NameRule> choiceOfWord(const OptionRow& row, std::string_view word);

// Whether `options` hold other than the option's default.
bool differsFromDefault(const OptionRow& row, const CompareOptions& options);

// The companion's help lines of every option, each ending in "\n".
std::string optionUsage();

} // namespace quorvel
