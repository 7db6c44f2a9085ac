#include "engine/DirectoryWalker.h"

#include "engine/FilterPatterns.h"
#include "engine/PairComparer.h"
#include "engine/PathText.h"
#include "engine/Report.h"
#include "engine/ReportLineFormat.h"
#include "engine/RunBookkeeping.h"
#include "engine/RunState.h"
#include "engine/RunView.h"
#include "engine/Wildcard.h"

#include <algorithm>

namespace quorvel {

namespace {

constexpr std::size_t kPairsAhead = 128;

bool isFile(const DirectoryEntry& e) {
    return e.kind == DirectoryEntry::Kind::File;
}

std::pair<std::uint64_t, std::uint64_t> keyOf(const FileIdentity& identity) {
    return {identity.device, identity.inode};
}

// What a kept listing costs: its node in the map, and per name the entry and the name's bytes
// when they do not fit in the string itself.
constexpr std::size_t kMapNodeBytes = 64 + sizeof(DirectoryListing);

std::size_t listedNameBytes(const DirectoryEntry& entry) {
    static const std::size_t kInPlace = std::string().capacity();
    return sizeof(DirectoryEntry) +
           (entry.name.capacity() > kInPlace ? entry.name.capacity() + 1 : 0);
}

} // namespace

DirectoryWalker::DirectoryWalker(RunState& state, RunView& view, Report& report, FileAccess& files,
                                 PairComparer& pairs, RunBookkeeping& books)
    : state_(state), view_(view), report_(report), files_(files), pairs_(pairs), books_(books) {}

void DirectoryWalker::walk(const std::string& base, const std::string& relativePath,
                           const Visit& visit) {
    walking_.clear();
    std::string rel = relativePath;
    std::vector<Level> levels;
    const auto enter = [&](std::string path, std::size_t parentLength,
                           const std::optional<FileIdentity>& identity) {
        auto level = visit(path, rel, identity);
        level.path = std::move(path);
        level.parentLength = parentLength;
        level.identified = identity.has_value();
        levels.push_back(std::move(level));
    };
    auto topPath = rel.empty() ? base : joinPath(base, rel);
    const auto top = files_.directoryIdentity(topPath);
    if (top) {
        walking_.push_back(*top);
    }
    enter(std::move(topPath), rel.size(), top);
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
        rel += next->first;
        enter(joinPath(levels.back().path, next->first), parentLength, next->second);
    }
}

std::optional<std::pair<std::string, std::optional<FileIdentity>>>
DirectoryWalker::nextSubdirectory(Level& level) {
    const auto& entries = level.entries();
    while (level.next < entries.size()) {
        const auto& entry = entries[level.next++];
        if (isFile(entry)) {
            continue;
        }
        // A directory that cannot be looked at is still entered: its listing tells the rest.
        auto identity = files_.directoryIdentity(joinPath(level.path, entry.name));
        if (identity) {
            if (std::find(walking_.begin(), walking_.end(), *identity) != walking_.end()) {
                continue;
            }
            walking_.push_back(*identity);
        }
        return std::make_pair(entry.name, identity);
    }
    return std::nullopt;
}

DirectoryListing DirectoryWalker::takeListing(const std::string& directory,
                                              const std::optional<FileIdentity>& identity) {
    if (identity) {
        if (auto kept = listings_.extract(keyOf(*identity))) {
            return std::move(kept.mapped());
        }
    }
    return files_.listDirectory(directory);
}

bool DirectoryWalker::roomToKeep(const DirectoryListing& listing) {
    std::size_t bytes = kMapNodeBytes;
    if (listing.entries) {
        for (const auto& entry : *listing.entries) {
            bytes += listedNameBytes(entry);
        }
    }
    if (keptBytes_ + bytes > options_.keptListingBytes) {
        return false;
    }
    keptBytes_ += bytes;
    return true;
}

void DirectoryWalker::appendLevelLine(const std::string& relativePath, bool& blockWritten,
                                      const std::string& name, CompareResult result) {
    if (!blockWritten && !relativePath.empty()) {
        blockWritten = true;
        report_.appendReportLine(kBlockRule, ReportLineKind::SubdirectoryRule);
        report_.appendReportLine("SUBDIR: " + reportSafe(relativePath),
                                 ReportLineKind::SubdirectoryName);
        report_.appendReportLine(kBlockRule, ReportLineKind::SubdirectoryRule);
    }
    report_.appendPairLine(formatResultLine(name, result, books_.strings()), result);
}

void DirectoryWalker::compareDirectory(const std::string& leftBase, const std::string& rightBase,
                                       const std::string& relativePath) {
    patterns_ = filterPatterns(state_.options.filter);
    walk(leftBase, relativePath,
         [&](const std::string& left, const std::string& rel,
             const std::optional<FileIdentity>& identity) {
             return compareLevel(left, rightBase, rel, identity);
         });
    listings_.clear();
    keptBytes_ = 0;
}

DirectoryWalker::Level DirectoryWalker::compareLevel(const std::string& left,
                                                     const std::string& rightBase,
                                                     const std::string& relativePath,
                                                     const std::optional<FileIdentity>& identity) {
    Level level;
    // A tree where no file matches compares no pair for a long while: the abort button must
    // still be seen.
    view_.processEvents();
    if (state_.abortRequested) {
        state_.runInterrupted = true;
    }
    if (state_.runInterrupted) {
        return level;
    }
    const auto right = relativePath.empty() ? rightBase : joinPath(rightBase, relativePath);
    view_.setDirectoryStatus(relativePath.empty() ? "./" : relativePath + "/");

    bool blockWritten = false;
    auto taken = takeListing(left, identity);
    auto& listing = taken.entries;
    if (!listing) {
        if (taken.errorCode != 0) {
            view_.noteReadProblem(left, taken.errorCode);
        }
        // A directory that cannot be read must not pass for one without files: it counts as a
        // difference, named by its relative path.
        const auto name = (relativePath.empty() ? std::string(".") : relativePath) + "/";
        state_.progress.currentFileName = name;
        state_.progress.currentFileSize = 0;
        if (books_.accountPair(CompareResult::ErrorReading1st)) {
            appendLevelLine(relativePath, blockWritten, name, CompareResult::ErrorReading1st);
        }
        return level;
    }
    // The pairs of this level in the order they are compared: pattern by pattern.
    std::vector<const DirectoryEntry*> pairs;
    for (const auto& pattern : patterns_) {
        for (const auto& entry : *listing) {
            if (isFile(entry) && matchesWildcard(pattern, entry.name)) {
                pairs.push_back(&entry);
            }
        }
    }
    std::size_t hinted = 0;
    for (std::size_t i = 0; i < pairs.size(); ++i) {
        // Keep the next few pairs in flight: a disk serves many requests at once far faster
        // than one after the other.
        while (!state_.options.fast && hinted < pairs.size() && hinted < i + kPairsAhead) {
            files_.willRead(left, pairs[hinted]->name);
            files_.willRead(right, pairs[hinted]->name);
            ++hinted;
        }
        const auto& entry = *pairs[i];
        auto& progress = state_.progress;
        progress.currentFileName = entry.name;
        progress.currentFileSize = entry.size;
        view_.setFileStatus(entry.name);
        view_.setFileStatusVisible(true);
        const auto result =
            pairs_.comparePair(joinPath(left, entry.name), joinPath(right, entry.name), &entry);
        if (!books_.accountPair(result)) {
            return level;
        }
        if (countsAsEqual(result) && state_.options.onlyDifferent) {
            continue;
        }
        appendLevelLine(relativePath, blockWritten, entry.name, result);
    }
    if (state_.options.recurse && !state_.runInterrupted) {
        level.owned = std::move(*listing);
    }
    return level;
}

double DirectoryWalker::totalSize(const std::string& directory, bool recurse,
                                  const std::string& filter) {
    const std::string top = runDirectory(directory);
    patterns_ = filterPatterns(filter);
    listings_.clear();
    keptBytes_ = 0;
    double sum = 0;
    walk(top, "",
         [&](const std::string& path, const std::string&,
             const std::optional<FileIdentity>& identity) {
             return sizeLevel(path, recurse, identity, sum);
         });
    return sum;
}

DirectoryWalker::Level DirectoryWalker::sizeLevel(const std::string& directory, bool recurse,
                                                  const std::optional<FileIdentity>& identity,
                                                  double& sum) {
    Level level;
    view_.processEvents();
    if (state_.abortRequested) {
        return level;
    }
    auto taken = files_.listDirectory(directory);
    auto& listing = taken.entries;
    if (listing) {
        for (const auto& pattern : patterns_) {
            for (const auto& entry : *listing) {
                if (isFile(entry) && matchesWildcard(pattern, entry.name)) {
                    sum += static_cast<double>(entry.size);
                }
            }
        }
    }
    // Without an identity the comparison cannot find this listing again, and without room it is
    // not kept: either way the comparison lists anew.
    if (identity && roomToKeep(taken)) {
        auto& kept = listings_[keyOf(*identity)] = std::move(taken);
        if (recurse && kept.entries) {
            level.kept = &*kept.entries;
        }
    } else if (recurse && listing) {
        level.owned = std::move(*listing);
    }
    return level;
}

} // namespace quorvel
