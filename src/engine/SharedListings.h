#pragma once

#include "engine/FileOpener.h"
#include "engine/RegularNames.h"

#include <array>
#include <cstddef>
#include <functional>
#include <memory>
#include <mutex>

namespace quorvel {

// The listings of regular names that the file openers of one run's threads took, so that a
// folder of a million files, listed by one thread, is neither listed nor held again by another.
// Only a directory unchanged since its listing finds it; a listing lives while an opener keeps it.
class SharedListings {
public:
    // The listing of `directory` some thread holds, or a new one from `list`. One thread lists
    // while the others wait for its listing: two threads reach a folder's files together.
    std::shared_ptr<const RegularNames> listed(const FileLook& directory,
                                               const std::function<RegularNames()>& list);

private:
    struct Slot {
        FileLook directory;
        std::weak_ptr<const RegularNames> names;
    };

    std::mutex mutex_;
    // Each thread keeps the directories of both sides.
    std::array<Slot, 6> slots_;
    std::size_t next_ = 0;
};

} // namespace quorvel
