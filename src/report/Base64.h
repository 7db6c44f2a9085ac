#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace quorvel {

// Standard base64 with "=" padding, for bytes that are not UTF-8 text.
std::string base64Encode(std::string_view bytes);
// The bytes back; nothing for text that is not padded standard base64.
std::optional<std::string> base64Decode(std::string_view text);

} // namespace quorvel
