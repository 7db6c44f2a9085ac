#pragma once

#include "engine/ContentHash.h"
#include "engine/TextArena.h"

#include <cstddef>
#include <cstdint>
#include <deque>
#include <string>
#include <string_view>
#include <vector>

namespace quorvel {

// A tree's files held by size, for finding contents anywhere in it: per file only its size,
// where its name lies in an arena, its directory and, once read, its hash. Kept in blocks that
// never move, a million files cost some 40 bytes each beside their names.
class FilesBySize {
public:
    enum class Read : std::uint8_t { NotYet, Asked, Hashed, Unreadable };

    struct File {
        std::int64_t size = 0;
        std::uint64_t nameAt = 0; // rises in walk order
        Hash128 hash;             // once read
        std::uint32_t directory = 0;
        std::uint16_t nameLength = 0;
        Read read = Read::NotYet;
    };
    using Files = std::deque<File>;
    // The files of one size; plain iterators, which every compiler of the fuzz build takes.
    struct OfSize {
        Files::iterator first;
        Files::iterator last;
        Files::iterator begin() const { return first; }
        Files::iterator end() const { return last; }
        std::size_t size() const { return static_cast<std::size_t>(last - first); }
        bool empty() const { return first == last; }
    };

    // In walk order, a directory's files one after the other; `seal` before any look-up.
    void add(std::string_view directory, std::string_view name, std::int64_t size);
    void seal();

    // The files of that size, in walk order.
    OfSize ofSize(std::int64_t size);
    std::string relativePath(const File& file) const;
    std::size_t count() const { return files_.size(); }

private:
    struct Directory {
        std::uint64_t at = 0;
        std::uint32_t length = 0;
    };

    Files files_;
    std::vector<Directory> directories_;
    TextArena arena_;
};

} // namespace quorvel
