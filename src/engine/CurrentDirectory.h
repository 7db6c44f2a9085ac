#pragma once

#include <optional>
#include <string>

namespace quorvel {

// The working directory, however long; nothing, with errno set, when there is none (it was
// deleted, or is out of reach).
std::optional<std::string> currentDirectory();

} // namespace quorvel
