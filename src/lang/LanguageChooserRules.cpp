#include "lang/LanguageChooserRules.h"

namespace quorvel {

ChooserPlace chooserPlace(int mainLeft, int mainTop, int mainWidth, int chooserWidth) {
    return {mainLeft + mainWidth / 2 - chooserWidth / 2, mainTop + 20};
}

std::optional<int> preselectedItem(LanguageId current) {
    const int item = current - 1;
    if (item < 0) {
        return std::nullopt;
    }
    return item < kChooserItemCount ? item : kChooserItemCount - 1;
}

LanguageId chosenLanguage(std::optional<int> selectedItem) {
    if (!selectedItem || *selectedItem < 0 || *selectedItem >= kChooserItemCount) {
        return kNoLanguage;
    }
    return static_cast<LanguageId>(*selectedItem + 1);
}

} // namespace quorvel
