#pragma once

#include "base/FileDescriptor.h"
#include "engine/RegularNames.h"

#include <array>
#include <cstddef>
#include <memory>
#include <string>

namespace quorvel {

class SharedListings;

// The directories of the last files looked up, kept open: a name is then found relative to its
// directory, so the kernel walks a long path once per directory instead of once per file. The two
// sides of a run alternate, so two are kept.
class OpenDirectories {
    struct Kept;

public:
    // `shared` lends listings to and from the other threads of the run.
    explicit OpenDirectories(std::shared_ptr<SharedListings> shared = nullptr);

    // Where a path's name is found: relative to a kept directory, or the whole path (AT_FDCWD)
    // when its directory cannot be opened, with the reason it could not.
    struct Location {
        int directory;
        std::string name;
        Kept* kept; // the kept directory of the name; none for a whole path
        int directoryError = 0;
    };
    Location locate(const std::string& path);

    // Whether the kept directory's listing has the located name as a regular file. Once several
    // names of one directory had to be looked at, one listing tells them all at once and saves a
    // look per file; before that, and for a name not kept, the answer is false.
    bool listedRegular(const Location& where);

    void forget();

private:
    struct Kept {
        std::string path;
        FileDescriptor fd;
        int looks = 0;
        bool listed = false;
        std::shared_ptr<const RegularNames> regular;
    };

    std::shared_ptr<const RegularNames> listRegular(const FileDescriptor& directory);

    std::shared_ptr<SharedListings> shared_;
    std::array<Kept, 2> kept_;
    std::size_t nextSlot_ = 0;
    std::string lastMissed_; // the last directory whose name was found by the whole path
};

} // namespace quorvel
