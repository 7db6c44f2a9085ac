#pragma once

#include <string>
#include <string_view>

namespace quorvel {

// Turns a stored status text back into its letters; the same rule scrambles it. A character equal
// to its position's key stays as it is.
std::string unscrambleText(std::string_view text);

// The status bar's line: its two fixed texts, unscrambled, joined by three blanks.
std::string statusLineText();

} // namespace quorvel
