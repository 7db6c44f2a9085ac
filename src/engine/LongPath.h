#pragma once

#include "base/FileDescriptor.h"

#include <string>

namespace quorvel {

// Opens a directory by a path of any length: one longer than the system takes in one call is
// walked in pieces. Holds nothing, with errno set, when it cannot.
FileDescriptor openDirectory(const std::string& path, int flags);

} // namespace quorvel
