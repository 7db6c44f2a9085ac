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

} // namespace

DirectoryWalker::DirectoryWalker(RunState& state, RunView& view, Report& report, FileAccess& files,
                                 PairComparer& pairs, RunBookkeeping& books)
    : state_(state), view_(view), report_(report), files_(files), pairs_(pairs), books_(books) {}

void DirectoryWalker::startWalk(const std::string& directory, const std::string& filter) {
    patterns_ = filterPatterns(filter);
    walking_.clear();
    top_ = files_.directoryIdentity(directory);
    if (top_) {
        walking_.push_back(*top_);
    }
}

std::optional<std::pair<std::string, DirectoryWalker::Entering>>
DirectoryWalker::nextSubdirectory(Level& level, const std::string& parent) {
    const auto& entries = level.entries();
    while (level.next < entries.size()) {
        const auto& entry = entries[level.next++];
        if (isFile(entry)) {
            continue;
        }
        // A directory that cannot be looked at is still entered: its listing tells the rest.
        auto identity = files_.directoryIdentity(joinPath(parent, entry.name));
        if (identity) {
            if (std::find(walking_.begin(), walking_.end(), *identity) != walking_.end()) {
                continue;
            }
            walking_.push_back(*identity);
        }
        return std::make_pair(entry.name, Entering{true, identity});
    }
    return std::nullopt;
}

void DirectoryWalker::descend(std::string& path, const std::string& name) {
    if (!path.empty() && path.back() != '/') {
        path += '/';
    }
    path += name;
}

void DirectoryWalker::leave(std::vector<Level>& levels, std::string& path) {
    if (levels.back().identified) {
        walking_.pop_back();
    }
    path.resize(levels.back().parentLength);
    levels.pop_back();
}

DirectoryWalker::Listing DirectoryWalker::takeListing(const std::string& directory,
                                                      const std::optional<FileIdentity>& identity) {
    if (identity) {
        if (auto kept = listings_.extract(keyOf(*identity))) {
            return std::move(kept.mapped());
        }
    }
    return files_.listDirectory(directory);
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
    const auto leftOf = [&](const std::string& rel) {
        return rel.empty() ? leftBase : joinPath(leftBase, rel);
    };
    startWalk(leftOf(relativePath), state_.options.filter);
    std::string rel = relativePath;
    std::vector<Level> levels;
    levels.push_back(compareLevel(leftBase, rightBase, rel, top_));
    levels.back().parentLength = rel.size();
    // Once interrupted, every level still open would return at once: nothing more to do.
    while (!levels.empty() && !state_.runInterrupted) {
        auto next = nextSubdirectory(levels.back(), leftOf(rel));
        if (!next) {
            leave(levels, rel);
            continue;
        }
        const auto parentLength = rel.size();
        descend(rel, next->first);
        auto child = compareLevel(leftBase, rightBase, rel, next->second.identity);
        child.parentLength = parentLength;
        child.identified = next->second.identity.has_value();
        levels.push_back(std::move(child));
    }
    listings_.clear();
}

DirectoryWalker::Level DirectoryWalker::compareLevel(const std::string& leftBase,
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
    const auto left = relativePath.empty() ? leftBase : joinPath(leftBase, relativePath);
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
    std::string dir = runDirectory(directory);
    startWalk(dir, filter);
    listings_.clear();
    double sum = 0;
    std::vector<Level> levels;
    levels.push_back(sizeLevel(dir, recurse, top_, sum));
    levels.back().parentLength = dir.size();
    while (!levels.empty()) {
        auto next = nextSubdirectory(levels.back(), dir);
        if (!next) {
            leave(levels, dir);
            continue;
        }
        const auto parentLength = dir.size();
        descend(dir, next->first);
        auto child = sizeLevel(dir, recurse, next->second.identity, sum);
        child.parentLength = parentLength;
        child.identified = next->second.identity.has_value();
        levels.push_back(std::move(child));
    }
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
    if (!identity) {
        // Without an identity the comparison cannot find this listing again; it lists anew.
        if (recurse && listing) {
            level.owned = std::move(*listing);
        }
        return level;
    }
    auto& kept = listings_[keyOf(*identity)] = std::move(taken);
    if (recurse && kept.entries) {
        level.kept = &*kept.entries;
    }
    return level;
}

} // namespace quorvel
