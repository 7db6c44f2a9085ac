#pragma once

#include "engine/ManifestEntries.h"

#include <cstddef>
#include <istream>
#include <optional>
#include <string>

namespace quorvel {

// Why a manifest cannot be trusted, and the line (from 1) where that showed.
struct ManifestDamage {
    std::size_t line = 0;
    std::string reason;
};

struct ManifestRead {
    std::optional<Manifest> manifest;
    std::optional<ManifestDamage> damage;
    int errorCode = 0; // the system's reason when the file could not be opened or read
};

// Reads a whole manifest and checks it: every line an object of its kind, the version, the
// paths relative, inside the tree and in walk order without repeats, and the trailer's count and
// hash. A manifest with any fault is refused whole.
ManifestRead readManifest(std::istream& in);
ManifestRead readManifestFile(const std::string& path);
// Reads from an open descriptor as the bytes come (a pipe, standard input), never seeking.
ManifestRead readManifestDescriptor(int fd);

// Whether the file is a regular file whose first line is a manifest's header, whatever its name
// and version. Nothing is opened that is not a regular file.
bool looksLikeManifest(const std::string& path);

} // namespace quorvel
