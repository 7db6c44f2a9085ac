#pragma once

#include "engine/CompareMode.h"
#include "lang/MessageKey.h"
#include "lang/UiKey.h"

#include <array>

namespace quorvel {

// How a list takes a choice when its mode is chosen; Kept leaves it as the last mode set it.
enum class ListSelection { Kept, Single, Multiple };

// What the main window shows for one comparison mode. A mode is added here and in its button.
struct ModeDescription {
    CompareMode mode;
    UiKey buttonHint;
    bool leftList;
    bool rightList;
    ListSelection leftSelection;
    ListSelection rightSelection;
    MessageKey guidance1;
    MessageKey guidance2;
};

// The modes in the order of their buttons.
inline constexpr std::array<ModeDescription, 3> kModeTable{{
    {CompareMode::FileWithFile, UiKey::hintFileFile, true, true, ListSelection::Single,
     ListSelection::Single, MessageKey::tutorFileFile1, MessageKey::tutorFileFile2},
    {CompareMode::FilesWithDirectory, UiKey::hintFileDir, true, false, ListSelection::Multiple,
     ListSelection::Single, MessageKey::tutorFileDir1, MessageKey::tutorFileDir2},
    {CompareMode::DirectoryWithDirectory, UiKey::hintDirDir, false, false, ListSelection::Kept,
     ListSelection::Single, MessageKey::tutorDirDir1, MessageKey::tutorDirDir2},
}};

// The row of `mode`; None has none.
const ModeDescription* describeMode(CompareMode mode);

} // namespace quorvel
