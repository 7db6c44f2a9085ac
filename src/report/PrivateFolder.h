#pragma once

#include <string>

namespace quorvel {

// Makes `path` a folder of the user's alone (mode 0700) when it is missing. One that exists must
// be a real folder, not a link, and the user's own; it is closed to everyone else. Returns 0, or
// the errno value that says why it cannot be used.
int makePrivateFolder(const std::string& path);

// Clears the place of a file the program writes for itself in such a folder: whatever stands
// there and is not a plain file of the user's (a link above all) is removed, never followed.
// Returns 0 or an errno value.
int clearOwnFilePlace(const std::string& path);

} // namespace quorvel
