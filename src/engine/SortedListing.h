#pragma once

#include "engine/FileAccess.h"

#include <string>

namespace quorvel {

// The regular files and subdirectories of a directory, links followed, sorted by name. A name
// that cannot be looked at, or a link that leads nowhere, is listed as an empty file, so that its
// pair tells the failure; anything that is neither a file nor a directory is left out: it must
// never be opened as a file.
DirectoryListing readSortedListing(const std::string& path);

} // namespace quorvel
