#pragma once

#include "lang/LanguageId.h"
#include "lang/MessageKey.h"
#include "lang/UiKey.h"

#include <array>
#include <string_view>

namespace quorvel {

// The message texts in force. Starts with the Italian start texts; readers take a text at the
// moment of use and keep no copy, so a language change shows in the next text built.
class LanguageStrings {
public:
    LanguageStrings();

    std::string_view text(MessageKey key) const { return texts_[static_cast<int>(key)]; }
    // A caption of the windows, for the report lines that quote one.
    std::string_view caption(UiKey key) const { return captions_[static_cast<int>(key)]; }

    // Overwrites all texts from language `id` in table order; any id outside 1..6 changes
    // nothing.
    void fillFrom(LanguageId id);

private:
    std::array<std::string_view, kMessageKeyCount> texts_;
    std::array<std::string_view, kUiKeyCount> captions_;
};

} // namespace quorvel
