#pragma once

#include <cstdint>
#include <deque>
#include <string_view>

namespace quorvel {

// The regular files of one directory as one listing saw them, so that such a name needs no look
// of its own before it is opened. Only a "regular" answer is trusted: any other name may have
// come since or changed kind, and is looked at. Each name is kept as a 64-bit hash, 8 bytes a
// name, so a folder of a million files stays small; a name that only shares a hash with a
// regular file is still checked once open, as every name is.
class RegularNames {
public:
    // Lists the directory open as `directoryFd` (which stays open); empty when it cannot.
    static RegularNames list(int directoryFd);

    // False also for links, which only a look can follow, and for a name spelled otherwise on a
    // file system that ignores case.
    bool contains(std::string_view name) const;

private:
    std::deque<std::uint64_t> hashes_; // sorted; grows without copying
};

} // namespace quorvel
