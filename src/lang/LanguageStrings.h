#pragma once

#include "lang/LanguageId.h"
#include "lang/MessageKey.h"

#include <array>
#include <string_view>

namespace quorvel {

// The message texts in force. Starts with the Italian start texts; readers take a text at the
// moment of use and keep no copy, so a language change shows in the next text built.
class LanguageStrings {
public:
    LanguageStrings();

    std::string_view text(MessageKey key) const { return texts_[static_cast<int>(key)]; }

    // Overwrites all texts from language `id` in table order; any id outside 1..6 changes
    // nothing.
    void fillFrom(LanguageId id);

private:
    std::array<std::string_view, kMessageKeyCount> texts_;
};

} // namespace quorvel
