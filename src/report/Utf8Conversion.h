#pragma once

#include <string>
#include <string_view>

namespace quorvel {

// `text`, written in the character set named `fromCharset` (an iconv name such as
// "ISO-8859-1"), as UTF-8. A byte that is not valid there becomes U+FFFD; when the character set
// is unknown, every byte above ASCII does.
std::string convertToUtf8(std::string_view text, const char* fromCharset);

// `text` with every byte that is not part of a valid UTF-8 sequence (a name in another encoding)
// replaced by U+FFFD; valid text passes unchanged.
std::string replaceInvalidUtf8(std::string_view text);
bool isValidUtf8(std::string_view text);

} // namespace quorvel
