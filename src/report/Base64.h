#pragma once

#include <string>
#include <string_view>

namespace quorvel {

// Standard base64 with "=" padding, for bytes that are not UTF-8 text.
std::string base64Encode(std::string_view bytes);

} // namespace quorvel
