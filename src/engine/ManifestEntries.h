#pragma once

#include "engine/ContentHash.h"
#include "engine/TextArena.h"

#include <cstddef>
#include <cstdint>
#include <deque>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace quorvel {

// What a manifest says of the tree it was taken from.
struct ManifestInfo {
    int version = 1;
    std::string tree; // as given when it was taken
    std::string filter = "*.*";
    std::string exclusions;
    bool recurse = true;
    std::string date; // UTC, ISO 8601
};

// One path of a manifest: a regular file with its hash, or a path that could not be read then
// (errorCode set; a directory's path ends in "/", the root's is "./").
struct ManifestEntry {
    std::string_view path;
    std::int64_t size = 0;
    std::int64_t modifiedNanoseconds = 0;
    Hash128 hash;
    int errorCode = 0;
};

// The entries of a manifest, packed for a million of them: the paths share large blocks and
// each entry takes 48 bytes beside its path. Nothing is copied to grow.
class ManifestEntries {
public:
    ManifestEntries() = default;
    ManifestEntries(ManifestEntries&&) = default;
    ManifestEntries& operator=(ManifestEntries&&) = default;

    void add(const ManifestEntry& entry);
    std::size_t size() const { return items_.size(); }
    // Valid while this object lives.
    ManifestEntry operator[](std::size_t i) const;
    std::size_t bytes() const;

private:
    struct Item {
        const char* path;
        std::uint32_t pathLength;
        std::int32_t errorCode;
        std::int64_t size;
        std::int64_t modified;
        Hash128 hash;
    };
    TextArena paths_;
    std::deque<Item> items_;
};

struct Manifest {
    ManifestInfo info;
    ManifestEntries entries;
};

} // namespace quorvel
