#pragma once

#include "engine/FileAccess.h"
#include "engine/WalkOptions.h"

#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

namespace quorvel {

class PairComparer;
struct RunState;

// What a walk asks of the file system before it needs it, and where its listings come from: kept
// from the size pass, listed ahead on the comparing thread, or listed now. The size pass lists
// each directory once; the comparison takes that listing over when it was kept and the directory
// is still the one listed, unchanged since.
class ReadPlanner {
public:
    ReadPlanner(const RunState& state, FileAccess& files, PairComparer& pairs);

    void setOptions(const WalkOptions& options) { options_ = options; }
    // Lets go of every kept listing: a pass ends.
    void forget();
    bool keepsAny() const { return !listings_.empty(); }

    // The comparison's listing of a directory. `sized` tells whether it has its files' sizes.
    DirectoryListing take(const std::string& directory, const std::optional<DirectoryLook>& look,
                          bool& sized);
    // The listing another thread made of the directory, while it still holds.
    std::optional<DirectoryListing> takeListedAhead(const std::string& directory,
                                                    const std::optional<DirectoryLook>& look);
    // Keeps the size pass's listing for the comparison, where it can be found again and told
    // unchanged and there is room: the listing, kept; else null and `listing` is left as it was.
    const DirectoryListing* keep(const std::optional<DirectoryLook>& look,
                                 DirectoryListing& listing);
    // Names a directory for another thread to list.
    void willList(const std::string& directory);
    // A pair in `left` and `right` that the walk will soon compare, the right file named
    // `rightName`: its reads begun, or the pair handed to the comparing thread. `sized` tells
    // whether the entry's size is known.
    void willCompare(const std::string& left, const std::string& right, const DirectoryEntry& entry,
                     std::string_view rightName, bool sized);

private:
    using Key = std::pair<std::uint64_t, std::uint64_t>; // a directory's device and inode
    struct KeptListing {
        DirectoryStamp stamp;
        DirectoryListing listing;
    };

    // Whether a directory last changed long enough ago that a change now would show in its times.
    bool settledAt(const DirectoryStamp& stamp, std::int64_t moment) const;
    // Whether the listing fits under the cap on kept listings; if so, its room is taken.
    bool roomToKeep(const DirectoryListing& listing);

    const RunState& state_;
    FileAccess& files_;
    PairComparer& pairs_;
    WalkOptions options_;
    std::map<Key, KeptListing> listings_;
    std::size_t keptBytes_ = 0;
};

} // namespace quorvel
