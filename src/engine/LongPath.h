#pragma once

#include <string>

namespace quorvel {

// Opens a directory by a path of any length: one longer than the system takes in one call is
// walked in pieces. Returns the descriptor, or -1 with errno set.
int openDirectory(const std::string& path, int flags);

} // namespace quorvel
