#pragma once

#include <QString>

namespace quorvel {

// Makes `path` and every missing folder above it, each readable by its owner alone: the
// settings hold the user's folder names. Folders that exist keep their modes. Returns whether
// `path` is a folder afterwards.
bool makePrivateDirectories(const QString& path);

} // namespace quorvel
