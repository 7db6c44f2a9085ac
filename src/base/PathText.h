#pragma once

#include <string>
#include <string_view>

namespace quorvel {

// A run's directory: one trailing "/" removed, except from the root "/" itself.
std::string runDirectory(std::string_view directory);

// The directory part of a path as given: "." when it has none, "/" for a name in the root.
std::string directoryOf(std::string_view path);

// directory + "/" + name, without doubling the slash of the root.
std::string joinPath(std::string_view directory, std::string_view name);

// A name below a path relative to a run's directories, "" being the top.
std::string relativeBelow(std::string_view relative, std::string_view name);

} // namespace quorvel
