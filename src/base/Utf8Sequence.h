#pragma once

#include <cstddef>
#include <string_view>

namespace quorvel {

// The length of the well-formed UTF-8 sequence at the start of `text` (not empty), or 0 when there
// is none: no overlong forms, no surrogates, nothing past U+10FFFF, nothing cut short.
std::size_t utf8SequenceLength(std::string_view text);

} // namespace quorvel
