#pragma once

#include "base/FileDescriptor.h"

#include <dirent.h>

namespace quorvel {

// A directory opened for listing; takes over the descriptor it is given, one that holds nothing
// giving an empty stream.
class DirectoryStream {
public:
    explicit DirectoryStream(FileDescriptor fd);
    ~DirectoryStream();
    DirectoryStream(const DirectoryStream&) = delete;
    DirectoryStream& operator=(const DirectoryStream&) = delete;

    // Null when the directory could not be opened.
    DIR* get() const { return dir_; }

private:
    DIR* dir_ = nullptr;
};

} // namespace quorvel
