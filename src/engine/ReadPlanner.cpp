#include "engine/ReadPlanner.h"

#include "base/PathText.h"
#include "engine/CompareBuffers.h"
#include "engine/PairComparer.h"
#include "engine/RealTime.h"
#include "engine/RunState.h"

namespace quorvel {

namespace {

std::pair<std::uint64_t, std::uint64_t> keyOf(const FileIdentity& identity) {
    return {identity.device, identity.inode};
}

} // namespace

ReadPlanner::ReadPlanner(const RunState& state, FileAccess& files, PairComparer& pairs)
    : state_(state), files_(files), pairs_(pairs) {}

void ReadPlanner::forget() {
    listings_.clear();
    keptBytes_ = 0;
}

DirectoryListing ReadPlanner::take(const std::string& directory,
                                   const std::optional<DirectoryLook>& look, bool& sized) {
    sized = true;
    if (look) {
        // A directory made since in the place of a removed one may have its inode: the times
        // tell them apart, as they tell a directory whose names changed since.
        auto kept = listings_.extract(keyOf(look->identity));
        if (kept && kept.mapped().stamp == look->stamp) {
            return std::move(kept.mapped().listing);
        }
    }
    if (auto ahead = takeListedAhead(directory, look)) {
        return std::move(*ahead);
    }
    // By size alone each file is looked at when its pair is compared: sizes in a listing made
    // now would cost every file a second look.
    if (state_.options.fast) {
        sized = false;
        auto names = files_.listNames(directory);
        if (names.entries) {
            names.entries->sortByName();
        }
        return names;
    }
    return files_.listDirectory(directory);
}

std::optional<DirectoryListing>
ReadPlanner::takeListedAhead(const std::string& directory,
                             const std::optional<DirectoryLook>& look) {
    auto ahead = pairs_.takeListing(directory);
    // Only while unchanged since the thread's look, and from a time when a change would have
    // shown in the directory's times.
    if (ahead && look && ahead->look && ahead->look->identity == look->identity &&
        ahead->look->stamp == look->stamp && settledAt(look->stamp, ahead->listedAt)) {
        return std::move(ahead->listing);
    }
    return std::nullopt;
}

const DirectoryListing* ReadPlanner::keep(const std::optional<DirectoryLook>& look,
                                          DirectoryListing& listing) {
    // Without an identity the comparison cannot find this listing again, without settled times
    // it could not tell it changed, and without room it is not kept: the comparison lists anew.
    if (!look || !settledAt(look->stamp, realTimeNow()) || !roomToKeep(listing)) {
        return nullptr;
    }
    auto& kept = listings_[keyOf(look->identity)] = {look->stamp, std::move(listing)};
    return &kept.listing;
}

void ReadPlanner::willList(const std::string& directory) {
    pairs_.willList(directory);
}

void ReadPlanner::willCompare(const std::string& left, const std::string& right,
                              const DirectoryEntry& entry, std::string_view rightName, bool sized) {
    // By size alone no file is opened, here or on the thread: it only looks at them.
    if (state_.options.fast) {
        pairs_.willCompare(joinPath(left, entry.name), joinPath(right, rightName),
                           sized ? std::optional(entry.size) : std::nullopt);
        return;
    }
    files_.willRead(left, entry.name, true);
    files_.willRead(right, rightName, false);
    // A big pair's two files are read at once; small pairs are compared two at once, while their
    // data is cached: from the disk, the files opened ahead here are what keeps it busy, and a
    // second thread would open them all again.
    if (entry.size > CompareBuffers::kBlockSize) {
        files_.willReadWhole(joinPath(right, rightName));
    } else if (!files_.fetchesAhead()) {
        pairs_.willCompare(joinPath(left, entry.name), joinPath(right, rightName), entry.size);
    }
}

bool ReadPlanner::settledAt(const DirectoryStamp& stamp, std::int64_t moment) const {
    return stamp.changed < moment - options_.settledNanoseconds;
}

bool ReadPlanner::roomToKeep(const DirectoryListing& listing) {
    // What a kept listing costs beside its entries: its node in the map.
    constexpr std::size_t kMapNodeBytes = 64 + sizeof(DirectoryStamp) + sizeof(DirectoryListing);
    const std::size_t bytes = kMapNodeBytes + (listing.entries ? listing.entries->bytes() : 0);
    if (keptBytes_ + bytes > options_.keptListingBytes) {
        return false;
    }
    keptBytes_ += bytes;
    return true;
}

} // namespace quorvel
