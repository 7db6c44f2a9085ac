#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace quorvel {

// What one listing of a directory says of each name: its kind and its inode number, without a
// look at each file.
class DirectoryKinds {
public:
    enum class Kind { Regular, Other, Unknown };
    struct Found {
        Kind kind = Kind::Unknown;
        std::uint64_t inode = 0;
    };

    // Lists the directory open as `directoryFd` (which stays open); empty when it cannot.
    static DirectoryKinds list(int directoryFd);

    // Unknown for a name not listed (it may have come since, or be spelled otherwise on a file
    // system that ignores case) and for links, which only a look can follow.
    Found find(const std::string& name) const;

private:
    struct Entry {
        std::string name;
        unsigned char type;
        std::uint64_t inode;
    };
    std::vector<Entry> entries_; // sorted by name
};

} // namespace quorvel
