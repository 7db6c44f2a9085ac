#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <memory>
#include <string_view>
#include <vector>

namespace quorvel {

struct DirectoryEntry;

// The entries of one directory listing, packed: the names share blocks of up to 64 KiB and each
// entry takes 16 bytes beside its name, so that a folder of a million files stays within some 25
// MB. Nothing is ever copied to grow, so a listing never needs twice its size on the way.
class ListedEntries {
public:
    ListedEntries() = default;
    ListedEntries(ListedEntries&&) = default;
    ListedEntries& operator=(ListedEntries&&) = default;

    void addFile(std::string_view name, std::int64_t size);
    void addDirectory(std::string_view name);
    void sortByName(); // in the engine's name order

    std::size_t size() const { return items_.size(); }
    bool empty() const { return items_.empty(); }
    // Valid while this listing lives unchanged.
    DirectoryEntry operator[](std::size_t i) const;
    // What the listing takes in memory.
    std::size_t bytes() const;

private:
    struct Item {
        std::uint64_t nameStart;
        std::int64_t size; // kDirectory for a subdirectory
    };
    static constexpr std::int64_t kDirectory = -1;

    void add(std::string_view name, std::int64_t size);
    std::string_view nameAt(std::uint64_t start) const;

    // Blocks start small for the many small directories and double up to this.
    static constexpr std::size_t kBlockBytes = 65536; // more than the longest name
    static constexpr std::size_t kFirstBlockBytes = 256;

    std::vector<std::unique_ptr<char[]>> blocks_; // the names, each followed by a zero byte
    std::size_t lastBlockBytes_ = 0;
    std::size_t usedInLast_ = 0;
    std::size_t blockBytes_ = 0; // all blocks together
    std::deque<Item> items_;
};

} // namespace quorvel
