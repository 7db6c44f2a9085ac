#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace quorvel {

// How wide a text is drawn, in pixels.
using TextWidth = std::function<int(std::string_view)>;

// Shortens a directory path from the left until it fits `maxWidth`: "/data/projects/alpha"
// becomes "/.../projects/alpha", "/.../alpha", ".../alpha" and at last "alpha"; the last name is
// never cut.
std::string shortenPathToWidth(std::string_view path, int maxWidth, const TextWidth& width);

// Drops the first directory of a directory part ("/a/b/" gives "/.../b/"), replacing an earlier
// cut's ".../" rather than stacking a second one.
std::string cutFirstDirectory(std::string_view directoryPart);

} // namespace quorvel
