#pragma once

#include <string>
#include <string_view>

namespace quorvel {

// The path made absolute against `currentDirectory` and lexically normal: no "." or ".." parts,
// no doubled or trailing "/"; symbolic links are not resolved.
std::string lexicallyAbsolute(std::string_view path, std::string_view currentDirectory);

// Everything before the last "/" of a normal absolute path ("/" for a file in the root), and the
// part after it.
std::string parentOf(std::string_view normalPath);
std::string nameOf(std::string_view normalPath);

} // namespace quorvel
