#include "engine/DirectoryWalker.h"

#include "base/PathText.h"
#include "engine/NameFilter.h"
#include "engine/NameOrder.h"
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
    matcher_.setRule(state_.options.names);
    walk(leftBase, relativePath, [&](const WalkStep& step) {
        if (step.rightOnly) {
            return rightOnlyLevel(step.path, step.relativePath);
        }
        const auto right = !step.rightPath.empty()     ? step.rightPath
                           : step.relativePath.empty() ? rightBase
                                                       : joinPath(rightBase, step.relativePath);
        return compareLevel(step.path, right, step, step.look);
    });
    listings_.forget();
}

WalkLevel DirectoryWalker::compareLevel(const std::string& left, const std::string& right,
                                        const WalkStep& step,
                                        const std::optional<DirectoryLook>& look) {
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
    auto taken = listings_.take(left, look, sized);
    auto& listing = taken.entries;
    if (!listing) {
        recordUnreadable(left, relativePath, CompareResult::ErrorReading1st, taken.errorCode);
        return level;
    }
    // The size pass's listings make this needless, and by size alone a listing is cheap.
    if (!state_.options.fast && !listings_.keepsAny()) {
        listAhead(left, &*listing, 0);
    }
    // Names matched across spellings need the right's names before any pair.
    DirectoryListing rightListing;
    if (!matcher_.exact()) {
        rightListing = files_.listNames(right);
        matcher_.learnSides(&*listing, rightListing.entries ? &*rightListing.entries : nullptr,
                            names_);
        level.rightPath = right;
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
            const auto aheadMatch = rightNameOf(ahead->name);
            if (!aheadMatch.collides()) {
                listings_.willCompare(left, right, *ahead, aheadMatch.namesake, sized);
            }
        }
        const auto entry = *next;
        const auto match = rightNameOf(entry.name);
        ++pairsHere;
        auto& progress = state_.progress;
        progress.currentFileName = entry.name;
        progress.currentFileSize = entry.size;
        observer_.pairBegun(entry.name);
        if (match.collides()) {
            progress.currentFileSize = 0; // nothing is read
            if (!recordCollision(relativePath, entry.name, 1, match, blockWritten)) {
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
        const auto rightPath = rightRelativePath(step, entry.name, match.namesake);
        pair.rightPath = rightPath;
        if (!books_.accountPair(pair)) {
            return level;
        }
        if (countsAsEqual(pair.result) && state_.options.onlyDifferent) {
            continue;
        }
        recordLevelPair(blockWritten, pair);
    }
    if (!matcher_.exact() && !state_.runInterrupted &&
        !matchSubdirectories(*listing, relativePath, blockWritten, level)) {
        return level;
    }
    if (state_.options.bothSides && !state_.runInterrupted) {
        if (matcher_.exact()) {
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
    state_.progress.currentFileName = name;
    state_.progress.currentFileSize = 0;
    const PairRecord pair{relativePath, name, result, {}, {}, errorCode};
    bool blockWritten = false;
    if (books_.accountPair(pair)) {
        recordLevelPair(blockWritten, pair);
    }
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
                                           WalkLevel& level) {
    if (matcher_.exact()) {
        matcher_.learnLeft(left);
    } else if (left == nullptr) {
        matcher_.learnSides(nullptr, &right, names_);
    }
    std::vector<std::string_view> files;
    std::vector<std::string_view> directories;
    std::vector<std::pair<std::string, NameMatch>> collisions;
    for (std::size_t i = 0; i < right.size(); ++i) {
        const auto entry = right[i];
        if (names_.excluded(entry.name)) {
            continue;
        }
        if (matcher_.exact()) {
            if (matcher_.hasLeftNamesake(entry.name)) {
                continue;
            }
        } else if (auto match = matcher_.matchRight(entry.name); match.collides()) {
            if (isFile(entry) ? names_.passes(entry.name) : state_.options.recurse) {
                collisions.emplace_back(collidingName(entry, relativePath), std::move(match));
            }
            continue;
        } else if (!match.namesake.empty()) {
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
    std::sort(collisions.begin(), collisions.end(),
              [](const auto& a, const auto& b) { return nameLess(a.first, b.first); });
    for (const auto& [name, match] : collisions) {
        if (!recordCollision(relativePath, name, 2, match, blockWritten)) {
            return 0; // the run stops: what it listed no longer matters
        }
    }
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

NameMatch DirectoryWalker::rightNameOf(std::string_view leftName) const {
    if (matcher_.exact()) {
        return {matcher_.namesakeOf(leftName), {}, 0};
    }
    auto match = matcher_.matchLeft(leftName);
    // Without a namesake the pair is looked for by its own name, and found missing.
    if (match.namesake.empty()) {
        match.namesake = leftName;
    }
    return match;
}

std::string DirectoryWalker::rightRelativePath(const WalkStep& step, std::string_view leftName,
                                               std::string_view rightName) {
    if (step.rightRelativePath.empty() && leftName == rightName) {
        return {};
    }
    const auto& directory =
        step.rightRelativePath.empty() ? step.relativePath : step.rightRelativePath;
    return directory.empty() ? std::string(rightName) : directory + "/" + std::string(rightName);
}

std::string DirectoryWalker::collidingName(const DirectoryEntry& entry,
                                           const std::string& relativePath) {
    // A directory is named as one that cannot be read is: by its relative path and "/".
    if (isFile(entry)) {
        return std::string(entry.name);
    }
    return (relativePath.empty() ? std::string() : relativePath + "/") + std::string(entry.name) +
           "/";
}

bool DirectoryWalker::recordCollision(const std::string& relativePath, std::string_view name,
                                      int side, const NameMatch& match, bool& blockWritten) {
    std::string others;
    for (const auto other : match.collidesWith) {
        others += others.empty() ? "" : "/";
        others += other;
    }
    state_.progress.currentFileName = name;
    state_.progress.currentFileSize = 0;
    PairRecord pair;
    pair.directory = relativePath;
    pair.name = name;
    pair.result = CompareResult::NameCollision;
    pair.nameSide = side;
    pair.collidesWith = others;
    pair.collidingSide = match.collidingSide;
    if (!books_.accountPair(pair)) {
        return false;
    }
    recordLevelPair(blockWritten, pair);
    return true;
}

bool DirectoryWalker::matchSubdirectories(const ListedEntries& listing,
                                          const std::string& relativePath, bool& blockWritten,
                                          WalkLevel& level) {
    if (!state_.options.recurse) {
        return true;
    }
    for (std::size_t i = 0; i < listing.size(); ++i) {
        const auto entry = listing[i];
        if (isFile(entry) || names_.excluded(entry.name)) {
            continue;
        }
        const auto match = matcher_.matchLeft(entry.name);
        if (match.collides()) {
            // Which of the names the walk should go on with would be a guess.
            level.unwalked.emplace_back(entry.name);
            if (!recordCollision(relativePath, collidingName(entry, relativePath), 1, match,
                                 blockWritten)) {
                return false;
            }
        } else if (!match.namesake.empty() && match.namesake != entry.name) {
            level.spelledOtherwise.emplace_back(entry.name, match.namesake);
        }
    }
    return true;
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
