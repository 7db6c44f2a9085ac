#pragma once

#include <dirent.h>

namespace quorvel {

// A directory opened for listing; owns the descriptor it is given, -1 giving an empty stream.
class DirectoryStream {
public:
    explicit DirectoryStream(int fd);
    ~DirectoryStream();
    DirectoryStream(const DirectoryStream&) = delete;
    DirectoryStream& operator=(const DirectoryStream&) = delete;

    // Null when the directory could not be opened.
    DIR* get() const { return dir_; }

private:
    DIR* dir_ = nullptr;
};

} // namespace quorvel
