#include "engine/DirectoryWalker.h"

#include "base/PathText.h"
#include "engine/NameFilter.h"
#include "engine/PairComparer.h"
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

} // namespace

DirectoryWalker::DirectoryWalker(RunState& state, RunObserver& observer, RunRecord& record,
                                 FileAccess& files, PairComparer& pairs, RunBookkeeping& books)
    : state_(state), observer_(observer), record_(record), files_(files), pairs_(pairs),
      books_(books), listings_(state, files, pairs) {}

void DirectoryWalker::walk(const std::string& base, const std::string& relativePath,
                           const Visit& visit) {
    walk_.start(base, relativePath);
    // Once aborted, every level still open would return at once: nothing more to do.
    while (auto step = walk_.next()) {
        auto level = visit(*step);
        walk_.enter(std::move(*step), std::move(level));
        if (state_.abortRequested) {
            break;
        }
    }
}

void DirectoryWalker::listAhead(const std::string& directory, const ListedEntries* listing,
                                std::size_t skip) {
    // The walk goes into this directory's subdirectories, then on to the next ones above; a
    // subdirectory's own subdirectories come first, but they are not known yet.
    const auto pick = [this, &skip](const std::string& path, const ListedEntries& entries,
                                    std::size_t from) {
        for (std::size_t i = from; i < entries.size(); ++i) {
            const auto entry = entries[i];
            if (!isFile(entry) && !names_.excluded(entry.name) && skip-- == 0) {
                listings_.willList(joinPath(path, entry.name));
                return true;
            }
        }
        return false;
    };
    if (listing != nullptr && state_.options.recurse && pick(directory, *listing, 0)) {
        return;
    }
    const auto& levels = walk_.levels();
    for (auto level = levels.rbegin(); level != levels.rend(); ++level) {
        if (pick(level->path, level->entries(), level->next)) {
            return;
        }
    }
}

void DirectoryWalker::recordLevelPair(bool& blockWritten, const PairRecord& pair) {
    if (!blockWritten && !pair.directory.empty()) {
        blockWritten = true;
        record_.subdirectory(pair.directory);
    }
    record_.pair(pair);
}

bool DirectoryWalker::recordUnread(bool& blockWritten, const PairRecord& pair) {
    state_.progress.currentFileName = pair.name;
    state_.progress.currentFileSize = 0; // nothing is read
    if (!books_.accountPair(pair)) {
        return false;
    }
    recordLevelPair(blockWritten, pair);
    return true;
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
    namesakes_.setOptions(state_.options);
    walk(leftBase, relativePath, [&](const WalkStep& step) {
        return step.rightOnly
                   ? rightOnlyLevel(step.path, step.relativePath)
                   : compareLevel(step.path, LevelNamesakes::rightDirectory(step, rightBase), step);
    });
    listings_.forget();
}

WalkLevel DirectoryWalker::compareLevel(const std::string& left, const std::string& right,
                                        const WalkStep& step) {
    const auto& relativePath = step.relativePath;
    WalkLevel level;
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
    observer_.directoryBegun(relativePath);

    bool blockWritten = false;
    bool sized = true;
    auto taken = listings_.take(left, step.look, sized);
    auto& listing = taken.entries;
    if (!listing) {
        recordUnreadable(left, relativePath, CompareResult::ErrorReading1st, taken.errorCode);
        return level;
    }
    // The size pass's listings make this needless, and by size alone a listing is cheap.
    if (!state_.options.fast && !listings_.keepsAny()) {
        listAhead(left, &*listing, 0);
    }
    DirectoryListing rightListing; // across spellings, needed before any pair
    namesakes_.listRightFirst(files_, *listing, right, rightListing, level);
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
            if (const auto match = namesakes_.rightNameOf(ahead->name); !match.collides()) {
                listings_.willCompare(left, right, *ahead, match.namesake, sized);
            }
        }
        const auto entry = *next;
        const auto match = namesakes_.rightNameOf(entry.name);
        ++pairsHere;
        auto& progress = state_.progress;
        progress.currentFileName = entry.name;
        progress.currentFileSize = entry.size;
        observer_.pairBegun(entry.name);
        if (match.collides()) {
            const auto collision = LevelNamesakes::collision(entry, relativePath, 1, match);
            if (!recordUnread(blockWritten, collision.record(relativePath))) {
                return level;
            }
            continue;
        }
        PairRecord pair =
            pairs_.comparePair(joinPath(left, entry.name), joinPath(right, match.namesake), &entry);
        if (!sized) {
            progress.currentFileSize = pair.leftSize.value_or(0);
        }
        pair.directory = relativePath;
        pair.name = entry.name;
        const auto rightPath = LevelNamesakes::rightRelativePath(step, entry.name, match.namesake);
        pair.rightPath = rightPath;
        if (!books_.accountPair(pair)) {
            return level;
        }
        if (countsAsEqual(pair.result) && state_.options.onlyDifferent) {
            continue;
        }
        recordLevelPair(blockWritten, pair);
    }
    if (!state_.runInterrupted &&
        !recordCollisions(namesakes_.matchSubdirectories(*listing, relativePath, level),
                          relativePath, blockWritten)) {
        return level;
    }
    if (state_.options.bothSides && !state_.runInterrupted) {
        if (namesakes_.exact()) {
            rightListing = files_.listNames(right);
        }
        if (rightListing.entries) {
            level.rightPath = right;
            listRightOnly(*rightListing.entries, right, &*listing,
                          step.rightRelativePath.empty() ? relativePath : step.rightRelativePath,
                          blockWritten, level);
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
    bool blockWritten = false;
    recordUnread(blockWritten, {relativePath, name, result, {}, {}, errorCode});
}

WalkLevel DirectoryWalker::rightOnlyLevel(const std::string& right,
                                          const std::string& relativePath) {
    WalkLevel level;
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
    if (listRightOnly(*taken.entries, right, nullptr, relativePath, blockWritten, level) == 0 &&
        level.rightOnly.empty()) {
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
                                           WalkLevel& level) {
    const auto names = namesakes_.rightOnly(right, left, relativePath);
    if (!recordCollisions(names.collisions, relativePath, blockWritten)) {
        return 0; // the run stops: what it listed no longer matters
    }
    // A name the left listing leaves out (a FIFO, a socket, a device) has no file to compare
    // with: the right file or directory is only on the right, as if the name were not there.
    std::size_t listed = 0;
    for (const auto name : names.files) {
        // Only a regular file is listed: not a link that leads nowhere.
        const auto file = files_.lookUpFile(joinPath(rightPath, name));
        if (!file.size) {
            continue;
        }
        if (!recordUnread(blockWritten,
                          {relativePath, name, CompareResult::NotFoundIn1st, {}, file.size, 0})) {
            return listed;
        }
        ++listed;
    }
    for (const auto name : names.directories) {
        level.rightOnly.emplace_back(name);
    }
    return listed;
}

bool DirectoryWalker::recordCollisions(const std::vector<NameCollision>& collisions,
                                       const std::string& relativePath, bool& blockWritten) {
    return std::all_of(collisions.begin(), collisions.end(), [&](const NameCollision& collision) {
        return recordUnread(blockWritten, collision.record(relativePath));
    });
}

double DirectoryWalker::totalSize(const std::string& directory, const CompareOptions& options) {
    const bool recurse = options.recurse;
    const std::string top = runDirectory(directory);
    names_ = NameFilter(options.filter, options.exclusions);
    listings_.forget();
    pairsSized_ = 0;
    double sum = 0;
    walk(top, "",
         [&](const WalkStep& step) { return sizeLevel(step.path, recurse, step.look, sum); });
    return sum;
}

WalkLevel DirectoryWalker::sizeLevel(const std::string& directory, bool recurse,
                                     const std::optional<DirectoryLook>& look, double& sum) {
    WalkLevel level;
    pollAbort(observer_, state_);
    if (state_.abortRequested) {
        return level;
    }
    auto ahead = listings_.takeListedAhead(directory, look);
    auto taken = ahead ? std::move(*ahead) : files_.listDirectory(directory);
    auto& listing = taken.entries;
    // The run's thread has nothing else to do here: the thread lists the directory after next
    // while this one lists the next.
    listAhead(directory, listing ? &*listing : nullptr, 1);
    if (listing) {
        PairCursor cursor;
        while (const auto entry = nextPair(*listing, cursor)) {
            sum += static_cast<double>(entry->size);
            ++pairsSized_;
        }
    }
    if (const DirectoryListing* kept = listings_.keep(look, taken)) {
        if (recurse && kept->entries) {
            level.kept = &*kept->entries;
        }
    } else if (recurse && listing) {
        level.owned = std::move(*listing);
    }
    return level;
}

} // namespace quorvel
