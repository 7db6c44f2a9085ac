#pragma once

#include <string>
#include <string_view>

namespace quorvel {

// A run's directory: one trailing "/" removed, except from the root "/" itself.
std::string runDirectory(std::string_view directory);

// directory + "/" + name, without doubling the slash of the root.
std::string joinPath(std::string_view directory, std::string_view name);

} // namespace quorvel
