#pragma once

#include "lang/LanguageId.h"

namespace quorvel {

// Qt's own dialogs (file, font and print dialogs, the buttons of message boxes) speak the
// language in force, from Qt's translations when they are installed; English needs none.
void useQtDialogLanguage(LanguageId id);

} // namespace quorvel
