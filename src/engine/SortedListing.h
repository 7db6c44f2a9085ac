#pragma once

#include "engine/FileAccess.h"

#include <string>

namespace quorvel {

// The regular files and subdirectories of a directory, links followed, sorted by name. A name
// that cannot be looked at, or a link that leads nowhere, is listed as an empty file, so that its
// pair tells the failure; anything that is neither a file nor a directory is left out: it must
// never be opened as a file.
DirectoryListing readSortedListing(const std::string& path);

// The same names with their kinds, in the directory's own order and without the files' sizes:
// a regular file the directory tells as such is not looked at.
DirectoryListing readNames(const std::string& path);

} // namespace quorvel
