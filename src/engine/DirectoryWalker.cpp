#include "engine/DirectoryWalker.h"

#include "engine/CompareBuffers.h"
#include "engine/NameFilter.h"
#include "engine/NameOrder.h"
#include "engine/PairComparer.h"
#include "engine/PathText.h"
#include "engine/RealTime.h"
#include "engine/RunBookkeeping.h"
#include "engine/RunObserver.h"
#include "engine/RunRecord.h"
#include "engine/RunState.h"
#include "engine/Wildcard.h"

#include <algorithm>
#include <cerrno>
#include <functional>

namespace quorvel {

namespace {

constexpr std::size_t kPairsAhead = 128;

bool isFile(const DirectoryEntry& e) {
    return e.kind == DirectoryEntry::Kind::File;
}

std::pair<std::uint64_t, std::uint64_t> keyOf(const FileIdentity& identity) {
    return {identity.device, identity.inode};
}

// What a kept listing costs beside its entries: its node in the map.
constexpr std::size_t kMapNodeBytes = 64 + sizeof(DirectoryStamp) + sizeof(DirectoryListing);

} // namespace

DirectoryWalker::DirectoryWalker(RunState& state, RunObserver& observer, RunRecord& record,
                                 FileAccess& files, PairComparer& pairs, RunBookkeeping& books)
    : state_(state), observer_(observer), record_(record), files_(files), pairs_(pairs),
      books_(books) {}

void DirectoryWalker::walk(const std::string& base, const std::string& relativePath,
                           const Visit& visit) {
    walking_.clear();
    std::string rel = relativePath;
    std::vector<Level> levels;
    levels_ = &levels;
    const auto enter = [&](std::string path, std::size_t parentLength,
                           const std::optional<DirectoryLook>& look, bool rightOnly) {
        auto level = visit(path, rel, look, rightOnly);
        level.path = std::move(path);
        level.parentLength = parentLength;
        level.identified = look.has_value();
        levels.push_back(std::move(level));
    };
    auto topPath = rel.empty() ? base : joinPath(base, rel);
    const auto top = files_.lookAtDirectory(topPath);
    if (top) {
        walking_.push_back(top->identity);
    }
    enter(std::move(topPath), rel.size(), top, false);
    // Once aborted, every level still open would return at once: nothing more to do.
    while (!levels.empty() && !state_.abortRequested) {
        auto next = nextSubdirectory(levels.back());
        if (!next) {
            if (levels.back().identified) {
                walking_.pop_back();
            }
            rel.resize(levels.back().parentLength);
            levels.pop_back();
            continue;
        }
        const auto parentLength = rel.size();
        if (!rel.empty()) {
            rel += '/';
        }
        rel += next->name;
        enter(joinPath(levels.back().path, next->name), parentLength, next->look, next->rightOnly);
    }
    levels_ = nullptr;
}

std::optional<DirectoryWalker::Subdirectory> DirectoryWalker::nextSubdirectory(Level& level) {
    const auto& entries = level.entries();
    for (;;) {
        // An excluded directory is never looked at.
        while (level.next < entries.size() &&
               (isFile(entries[level.next]) || names_.excluded(entries[level.next].name))) {
            ++level.next;
        }
        const bool onLeft = level.next < entries.size();
        const bool onRight = level.nextRightOnly < level.rightOnly.size();
        if (!onLeft && !onRight) {
            return std::nullopt;
        }
        // Both sides' subdirectories in one name order.
        Subdirectory next;
        next.rightOnly = onRight && (!onLeft || nameLess(level.rightOnly[level.nextRightOnly],
                                                         entries[level.next].name));
        next.name = next.rightOnly ? std::move(level.rightOnly[level.nextRightOnly++])
                                   : std::string(entries[level.next++].name);
        // A directory that cannot be looked at is still entered: its listing tells the rest.
        next.look = files_.lookAtDirectory(
            joinPath(next.rightOnly ? level.rightPath : level.path, next.name));
        if (next.look) {
            if (std::find(walking_.begin(), walking_.end(), next.look->identity) !=
                walking_.end()) {
                continue;
            }
            walking_.push_back(next.look->identity);
        }
        return next;
    }
}

DirectoryListing DirectoryWalker::takeListing(const std::string& directory,
                                              const std::optional<DirectoryLook>& look,
                                              bool& sized) {
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
DirectoryWalker::takeListedAhead(const std::string& directory,
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

bool DirectoryWalker::settled(const DirectoryStamp& stamp) const {
    return settledAt(stamp, realTimeNow());
}

bool DirectoryWalker::settledAt(const DirectoryStamp& stamp, std::int64_t moment) const {
    return stamp.changed < moment - options_.settledNanoseconds;
}

void DirectoryWalker::listAhead(const std::string& directory, const ListedEntries* listing,
                                std::size_t skip) {
    if (levels_ == nullptr) {
        return;
    }
    // The walk goes into this directory's subdirectories, then on to the next ones above; a
    // subdirectory's own subdirectories come first, but they are not known yet.
    const auto pick = [this, &skip](const std::string& path, const ListedEntries& entries,
                                    std::size_t from) {
        for (std::size_t i = from; i < entries.size(); ++i) {
            const auto entry = entries[i];
            if (!isFile(entry) && !names_.excluded(entry.name) && skip-- == 0) {
                pairs_.willList(joinPath(path, entry.name));
                return true;
            }
        }
        return false;
    };
    if (listing != nullptr && state_.options.recurse && pick(directory, *listing, 0)) {
        return;
    }
    for (auto level = levels_->rbegin(); level != levels_->rend(); ++level) {
        if (pick(level->path, level->entries(), level->next)) {
            return;
        }
    }
}

bool DirectoryWalker::roomToKeep(const DirectoryListing& listing) {
    const std::size_t bytes = kMapNodeBytes + (listing.entries ? listing.entries->bytes() : 0);
    if (keptBytes_ + bytes > options_.keptListingBytes) {
        return false;
    }
    keptBytes_ += bytes;
    return true;
}

void DirectoryWalker::recordLevelPair(bool& blockWritten, const PairRecord& pair) {
    if (!blockWritten && !pair.directory.empty()) {
        blockWritten = true;
        record_.subdirectory(pair.directory);
    }
    record_.pair(pair);
}

std::optional<DirectoryEntry> DirectoryWalker::nextPair(const ListedEntries& listing,
                                                        PairCursor& cursor) const {
    for (; cursor.pattern < names_.patterns().size(); ++cursor.pattern, cursor.index = 0) {
        while (cursor.index < listing.size()) {
            const auto entry = listing[cursor.index++];
            if (isFile(entry) && matchesWildcard(names_.patterns()[cursor.pattern], entry.name) &&
                !names_.excluded(entry.name)) {
                return entry;
            }
        }
    }
    return std::nullopt;
}

void DirectoryWalker::compareDirectory(const std::string& leftBase, const std::string& rightBase,
                                       const std::string& relativePath) {
    names_ = NameFilter(state_.options.filter, state_.options.exclusions);
    walk(leftBase, relativePath,
         [&](const std::string& left, const std::string& rel,
             const std::optional<DirectoryLook>& look, bool rightOnly) {
             return rightOnly ? rightOnlyLevel(joinPath(rightBase, rel), rel)
                              : compareLevel(left, rightBase, rel, look);
         });
    listings_.clear();
    keptBytes_ = 0;
}

DirectoryWalker::Level DirectoryWalker::compareLevel(const std::string& left,
                                                     const std::string& rightBase,
                                                     const std::string& relativePath,
                                                     const std::optional<DirectoryLook>& look) {
    Level level;
    // A tree where no file matches compares no pair for a long while: the abort button must
    // still be seen.
    pollAbort(observer_, state_);
    if (state_.abortRequested) {
        state_.runInterrupted = true;
        pairs_.stopAhead();
    }
    if (state_.runInterrupted) {
        return level;
    }
    const auto right = relativePath.empty() ? rightBase : joinPath(rightBase, relativePath);
    observer_.directoryBegun(relativePath);

    bool blockWritten = false;
    bool sized = true;
    auto taken = takeListing(left, look, sized);
    auto& listing = taken.entries;
    if (!listing) {
        recordUnreadable(left, relativePath, CompareResult::ErrorReading1st, taken.errorCode);
        return level;
    }
    // The size pass's listings make this needless, and by size alone a listing is cheap.
    if (!state_.options.fast && listings_.empty()) {
        listAhead(left, &*listing, 0);
    }
    // The pairs of this level in the order they are compared: pattern by pattern. One cursor
    // hints reads ahead of the one comparing, so no list of the pairs is kept.
    PairCursor comparing;
    PairCursor hinting;
    std::size_t hinted = 0;
    std::size_t pairsHere = 0;
    for (std::size_t i = 0; auto next = nextPair(*listing, comparing); ++i) {
        // Keep the next few pairs in flight: a disk serves many requests at once far faster
        // than one after the other.
        for (; hinted < i + kPairsAhead; ++hinted) {
            const auto ahead = nextPair(*listing, hinting);
            if (!ahead) {
                break;
            }
            // By size alone no file is opened, here or on the thread: it only looks at them.
            if (state_.options.fast) {
                pairs_.willCompare(joinPath(left, ahead->name), joinPath(right, ahead->name),
                                   sized ? std::optional(ahead->size) : std::nullopt);
                continue;
            }
            files_.willRead(left, ahead->name, true);
            files_.willRead(right, ahead->name, false);
            // A big pair's two files are read at once; small pairs are compared two at once,
            // while their data is cached: from the disk, the files opened ahead here are what
            // keeps it busy, and a second thread would open them all again.
            if (ahead->size > CompareBuffers::kBlockSize) {
                files_.willReadWhole(joinPath(right, ahead->name));
            } else if (!files_.fetchesAhead()) {
                pairs_.willCompare(joinPath(left, ahead->name), joinPath(right, ahead->name),
                                   ahead->size);
            }
        }
        const auto entry = *next;
        ++pairsHere;
        auto& progress = state_.progress;
        progress.currentFileName = entry.name;
        progress.currentFileSize = entry.size;
        observer_.pairBegun(entry.name);
        const auto outcome =
            pairs_.comparePair(joinPath(left, entry.name), joinPath(right, entry.name), &entry);
        if (!sized) {
            progress.currentFileSize = outcome.leftSize.value_or(0);
        }
        const PairRecord pair{relativePath,     entry.name,        outcome.result,
                              outcome.leftSize, outcome.rightSize, outcome.errorCode};
        if (!books_.accountPair(pair)) {
            return level;
        }
        if (countsAsEqual(outcome.result) && state_.options.onlyDifferent) {
            continue;
        }
        recordLevelPair(blockWritten, pair);
    }
    if (state_.options.bothSides && !state_.runInterrupted) {
        const auto rightListing = files_.listNames(right);
        if (rightListing.entries) {
            level.rightPath = right;
            listRightOnly(*rightListing.entries, right, &*listing, relativePath, blockWritten,
                          level);
        } else if (!relativePath.empty() && pairsHere == 0 && !enteredBelow(*listing) &&
                   (rightListing.errorCode == ENOENT || rightListing.errorCode == ENOTDIR)) {
            // Only on the left and listing nothing: without a line of its own it passes unseen.
            recordUnreadable(left, relativePath, CompareResult::NotFoundIn2nd, 0);
        }
    }
    if (state_.options.recurse && !state_.runInterrupted) {
        level.owned = std::move(*listing);
    }
    return level;
}

void DirectoryWalker::recordUnreadable(const std::string& path, const std::string& relativePath,
                                       CompareResult result, int errorCode) {
    if (errorCode != 0) {
        observer_.readProblem(path, errorCode);
    }
    // A directory that cannot be read must not pass for one without files: it counts as a
    // difference, named by its relative path.
    const auto name = (relativePath.empty() ? std::string(".") : relativePath) + "/";
    state_.progress.currentFileName = name;
    state_.progress.currentFileSize = 0;
    const PairRecord pair{relativePath, name, result, {}, {}, errorCode};
    bool blockWritten = false;
    if (books_.accountPair(pair)) {
        recordLevelPair(blockWritten, pair);
    }
}

DirectoryWalker::Level DirectoryWalker::rightOnlyLevel(const std::string& right,
                                                       const std::string& relativePath) {
    Level level;
    pollAbort(observer_, state_);
    if (state_.abortRequested) {
        state_.runInterrupted = true;
        return level;
    }
    observer_.directoryBegun(relativePath);
    bool blockWritten = false;
    const auto taken = files_.listNames(right);
    if (!taken.entries) {
        // Trouble as on the left; what it holds cannot be told, so the directory stands for it.
        recordUnreadable(right, relativePath, CompareResult::NotFoundIn1st, taken.errorCode);
        return level;
    }
    level.rightPath = right;
    const auto listed =
        listRightOnly(*taken.entries, right, nullptr, relativePath, blockWritten, level);
    if (listed == 0 && level.rightOnly.empty()) {
        // An empty directory only on the right is a difference too.
        recordUnreadable(right, relativePath, CompareResult::NotFoundIn1st, 0);
    }
    return level;
}

bool DirectoryWalker::enteredBelow(const ListedEntries& listing) const {
    if (!state_.options.recurse) {
        return false;
    }
    for (std::size_t i = 0; i < listing.size(); ++i) {
        if (!isFile(listing[i]) && !names_.excluded(listing[i].name)) {
            return true;
        }
    }
    return false;
}

std::size_t DirectoryWalker::listRightOnly(const ListedEntries& right, const std::string& rightPath,
                                           const ListedEntries* left,
                                           const std::string& relativePath, bool& blockWritten,
                                           Level& level) {
    // The left names by hash: the right listing comes in no order, and sorting it would cost more
    // than the whole option may.
    std::vector<std::pair<std::size_t, std::uint32_t>> leftNames;
    if (left != nullptr) {
        leftNames.reserve(left->size());
        for (std::size_t i = 0; i < left->size(); ++i) {
            leftNames.emplace_back(std::hash<std::string_view>{}((*left)[i].name),
                                   static_cast<std::uint32_t>(i));
        }
        std::sort(leftNames.begin(), leftNames.end());
    }
    const auto listedOnLeft = [&](std::string_view name) {
        const auto hash = std::hash<std::string_view>{}(name);
        for (auto it =
                 std::lower_bound(leftNames.begin(), leftNames.end(), std::make_pair(hash, 0u));
             it != leftNames.end() && it->first == hash; ++it) {
            if ((*left)[it->second].name == name) {
                return true;
            }
        }
        return false;
    };
    std::vector<std::string_view> files;
    std::vector<std::string_view> directories;
    for (std::size_t i = 0; i < right.size(); ++i) {
        const auto entry = right[i];
        if (names_.excluded(entry.name) || listedOnLeft(entry.name)) {
            continue;
        }
        if (isFile(entry)) {
            if (names_.passes(entry.name)) {
                files.push_back(entry.name);
            }
        } else if (state_.options.recurse) {
            directories.push_back(entry.name);
        }
    }
    const auto byName = [](std::string_view a, std::string_view b) { return nameLess(a, b); };
    std::sort(files.begin(), files.end(), byName);
    std::sort(directories.begin(), directories.end(), byName);
    // A name the left listing leaves out (a FIFO, a socket, a device) has no file to compare
    // with: the right file or directory is only on the right, as if the name were not there.
    std::size_t listed = 0;
    for (const auto name : files) {
        // Only a regular file is listed: not a link that leads nowhere.
        const auto file = files_.lookUpFile(joinPath(rightPath, name));
        if (!file.size) {
            continue;
        }
        state_.progress.currentFileName = name;
        state_.progress.currentFileSize = 0; // nothing is read
        const PairRecord pair{relativePath, name, CompareResult::NotFoundIn1st, {}, file.size, 0};
        if (!books_.accountPair(pair)) {
            return listed;
        }
        recordLevelPair(blockWritten, pair);
        ++listed;
    }
    for (const auto name : directories) {
        level.rightOnly.emplace_back(name);
    }
    return listed;
}

double DirectoryWalker::totalSize(const std::string& directory, const CompareOptions& options) {
    const bool recurse = options.recurse;
    const std::string top = runDirectory(directory);
    names_ = NameFilter(options.filter, options.exclusions);
    listings_.clear();
    keptBytes_ = 0;
    pairsSized_ = 0;
    double sum = 0;
    walk(top, "",
         [&](const std::string& path, const std::string&, const std::optional<DirectoryLook>& look,
             bool) { return sizeLevel(path, recurse, look, sum); });
    return sum;
}

DirectoryWalker::Level DirectoryWalker::sizeLevel(const std::string& directory, bool recurse,
                                                  const std::optional<DirectoryLook>& look,
                                                  double& sum) {
    Level level;
    pollAbort(observer_, state_);
    if (state_.abortRequested) {
        return level;
    }
    auto ahead = takeListedAhead(directory, look);
    auto taken = ahead ? std::move(*ahead) : files_.listDirectory(directory);
    auto& listing = taken.entries;
    // The run's thread has nothing else to do here: the thread lists the directory after next
    // while this one lists the next.
    listAhead(directory, listing ? &*listing : nullptr, 1);
    if (listing) {
        for (const auto& pattern : names_.patterns()) {
            for (std::size_t i = 0; i < listing->size(); ++i) {
                const auto entry = (*listing)[i];
                if (isFile(entry) && matchesWildcard(pattern, entry.name) &&
                    !names_.excluded(entry.name)) {
                    sum += static_cast<double>(entry.size);
                    ++pairsSized_;
                }
            }
        }
    }
    // Without an identity the comparison cannot find this listing again, without settled times
    // it could not tell it changed, and without room it is not kept: the comparison lists anew.
    if (look && settled(look->stamp) && roomToKeep(taken)) {
        auto& kept = listings_[keyOf(look->identity)] = {look->stamp, std::move(taken)};
        if (recurse && kept.listing.entries) {
            level.kept = &*kept.listing.entries;
        }
    } else if (recurse && listing) {
        level.owned = std::move(*listing);
    }
    return level;
}

} // namespace quorvel
