#include "DirectoryWalker.h"

#include "FilterPatterns.h"
#include "PairComparer.h"
#include "PathText.h"
#include "ReportLineFormat.h"
#include "RunBookkeeping.h"
#include "RunState.h"
#include "RunView.h"
#include "Wildcard.h"

#include <algorithm>

namespace quorvel {

namespace {

const std::string kBlockRule(24, '_');
constexpr std::size_t kPairsAhead = 128;

bool isFile(const DirectoryEntry& e) {
    return e.kind == DirectoryEntry::Kind::File;
}

} // namespace

DirectoryWalker::DirectoryWalker(RunState& state, RunView& view, FileAccess& files,
                                 PairComparer& pairs, RunBookkeeping& books)
    : state_(state), view_(view), files_(files), pairs_(pairs), books_(books) {}

void DirectoryWalker::startWalk(const std::string& directory, const std::string& filter) {
    patterns_ = filterPatterns(filter);
    walking_.clear();
    if (auto identity = files_.directoryIdentity(directory)) {
        walking_.push_back(*identity);
    }
}

bool DirectoryWalker::enter(const std::string& directory) {
    const auto identity = files_.directoryIdentity(directory);
    if (!identity) {
        return false; // gone since it was listed
    }
    if (std::find(walking_.begin(), walking_.end(), *identity) != walking_.end()) {
        return false;
    }
    walking_.push_back(*identity);
    return true;
}

std::optional<std::vector<DirectoryEntry>>
DirectoryWalker::takeListing(const std::string& directory) {
    if (auto kept = listings_.extract(directory)) {
        return std::move(kept.mapped());
    }
    return files_.listDirectory(directory);
}

void DirectoryWalker::appendLevelLine(const std::string& relativePath, bool& blockWritten,
                                      const std::string& line) {
    if (!blockWritten && !relativePath.empty()) {
        blockWritten = true;
        books_.appendReportLine(kBlockRule);
        books_.appendReportLine("SUBDIR: " + reportSafe(relativePath));
        books_.appendReportLine(kBlockRule);
    }
    books_.appendReportLine(line);
}

void DirectoryWalker::compareDirectory(const std::string& leftBase, const std::string& rightBase,
                                       const std::string& relativePath) {
    startWalk(relativePath.empty() ? leftBase : joinPath(leftBase, relativePath),
              state_.options.filter);
    compareLevel(leftBase, rightBase, relativePath);
    listings_.clear();
}

void DirectoryWalker::compareLevel(const std::string& leftBase, const std::string& rightBase,
                                   const std::string& relativePath) {
    if (state_.abortRequested) {
        state_.runInterrupted = true;
    }
    if (state_.runInterrupted) {
        return;
    }
    const auto left = relativePath.empty() ? leftBase : joinPath(leftBase, relativePath);
    const auto right = relativePath.empty() ? rightBase : joinPath(rightBase, relativePath);
    view_.setDirectoryStatus(relativePath.empty() ? "./" : relativePath + "/");

    bool blockWritten = false;
    const auto listing = takeListing(left);
    if (!listing) {
        // A directory that cannot be read must not pass for one without files: it counts as a
        // difference, named by its relative path.
        const auto name = (relativePath.empty() ? std::string(".") : relativePath) + "/";
        state_.progress.currentFileName = name;
        state_.progress.currentFileSize = 0;
        if (books_.accountPair(CompareResult::ErrorReading1st)) {
            appendLevelLine(
                relativePath, blockWritten,
                formatResultLine(name, CompareResult::ErrorReading1st, books_.strings()));
        }
        return;
    }
    const auto& entries = *listing;
    // The pairs of this level in the order they are compared: pattern by pattern.
    std::vector<const DirectoryEntry*> pairs;
    for (const auto& pattern : patterns_) {
        for (const auto& entry : entries) {
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
            files_.willRead(joinPath(left, pairs[hinted]->name), pairs[hinted]);
            files_.willRead(joinPath(right, pairs[hinted]->name), nullptr);
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
            return;
        }
        if (countsAsEqual(result) && state_.options.onlyDifferent) {
            continue;
        }
        appendLevelLine(relativePath, blockWritten,
                        formatResultLine(entry.name, result, books_.strings()));
    }

    if (!state_.options.recurse || state_.runInterrupted) {
        return;
    }
    for (const auto& entry : entries) {
        if (isFile(entry) || !enter(joinPath(left, entry.name))) {
            continue;
        }
        compareLevel(leftBase, rightBase,
                     relativePath.empty() ? entry.name : relativePath + "/" + entry.name);
        walking_.pop_back();
    }
}

double DirectoryWalker::totalSize(const std::string& directory, bool recurse,
                                  const std::string& filter) {
    startWalk(runDirectory(directory), filter);
    listings_.clear();
    return sizeOfLevel(directory, recurse);
}

double DirectoryWalker::sizeOfLevel(const std::string& directory, bool recurse) {
    view_.processEvents();
    if (state_.abortRequested) {
        return 0;
    }
    const auto dir = runDirectory(directory);
    // References into the map stay valid while deeper levels add to it.
    const auto& listing = listings_[dir] = files_.listDirectory(dir);
    if (!listing) {
        return 0;
    }
    const auto& entries = *listing;
    double sum = 0;
    for (const auto& pattern : patterns_) {
        for (const auto& entry : entries) {
            if (isFile(entry) && matchesWildcard(pattern, entry.name)) {
                sum += static_cast<double>(entry.size);
            }
        }
    }
    if (recurse) {
        for (const auto& entry : entries) {
            const auto sub = joinPath(dir, entry.name);
            if (!isFile(entry) && enter(sub)) {
                sum += sizeOfLevel(sub, recurse);
                walking_.pop_back();
            }
        }
    }
    return sum;
}

} // namespace quorvel
