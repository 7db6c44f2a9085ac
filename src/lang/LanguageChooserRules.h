#pragma once

#include "lang/LanguageId.h"

#include <optional>

namespace quorvel {

// The chooser lists the six languages in id order: item i stands for id i + 1.
inline constexpr int kChooserItemCount = 6;

struct ChooserPlace {
    int left;
    int top;
};

// Outer frames in screen coordinates: 20 pixels below the main window's top, centred on it, each
// half truncated toward zero.
ChooserPlace chooserPlace(int mainLeft, int mainTop, int mainWidth, int chooserWidth);

// The item shown selected when the chooser opens: none below the first, the last past the end.
std::optional<int> preselectedItem(LanguageId current);

// The language that Ok gives: the selected item's, or none chosen (0) when no item is selected.
LanguageId chosenLanguage(std::optional<int> selectedItem);

} // namespace quorvel
