#include "lang/LanguageChooserRules.h"

#include <gtest/gtest.h>

namespace quorvel {
namespace {

TEST(ChooserPlace, TwentyBelowTheTopAndCentredWithTruncatedHalves) {
    const ChooserPlace place = chooserPlace(100, 50, 499, 287);
    EXPECT_EQ(place.top, 70);
    EXPECT_EQ(place.left, 100 + 249 - 143);

    const ChooserPlace even = chooserPlace(0, 0, 500, 288);
    EXPECT_EQ(even.left, 250 - 144);

    // A main window partly off the left edge of the screen.
    const ChooserPlace offScreen = chooserPlace(-300, -10, 501, 289);
    EXPECT_EQ(offScreen.left, -300 + 250 - 144);
    EXPECT_EQ(offScreen.top, 10);
}

TEST(ChooserPreselection, NoneBelowTheFirstAndTheLastPastTheEnd) {
    EXPECT_FALSE(preselectedItem(kNoLanguage));
    EXPECT_FALSE(preselectedItem(-1));
    EXPECT_FALSE(preselectedItem(-128));
    for (int id = kEnglish; id <= kSpanish; ++id) {
        EXPECT_EQ(preselectedItem(static_cast<LanguageId>(id)), id - 1);
    }
    EXPECT_EQ(preselectedItem(7), 5);
    EXPECT_EQ(preselectedItem(9), 5);
    EXPECT_EQ(preselectedItem(127), 5);
}

TEST(ChooserConfirmation, TheSelectedItemOrNoneChosen) {
    EXPECT_EQ(chosenLanguage(std::nullopt), kNoLanguage);
    for (int item = 0; item < kChooserItemCount; ++item) {
        EXPECT_EQ(chosenLanguage(item), item + 1);
    }
    EXPECT_EQ(chosenLanguage(6), kNoLanguage);
    EXPECT_EQ(chosenLanguage(-1), kNoLanguage);
}

} // namespace
} // namespace quorvel
