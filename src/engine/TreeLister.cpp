#include "engine/TreeLister.h"

#include "base/PathText.h"

#include <algorithm>

namespace quorvel {

namespace {

constexpr std::size_t kFilesAhead = 128;

std::string below(const std::string& relative, std::string_view name) {
    return relative.empty() ? std::string(name) : relative + "/" + std::string(name);
}

} // namespace

TreeLister::TreeLister(FileAccess& files, std::string root, const CompareOptions& options,
                       bool hintAhead)
    : files_(files), options_(options), hintAhead_(hintAhead),
      names_(options.filter, options.exclusions) {
    root = runDirectory(root);
    const auto look = files_.lookAtDirectory(root);
    enter(std::move(root), "", look);
}

void TreeLister::enter(std::string path, std::string relative,
                       const std::optional<DirectoryLook>& look) {
    Level level;
    auto listing = files_.listDirectory(path);
    if (!listing.entries) {
        TreeItem item;
        item.path = relative.empty() ? "./" : relative + "/";
        item.directory = relative;
        item.name = item.path;
        item.wholePath = path;
        item.errorCode = listing.errorCode;
        item.unreadableDirectory = true;
        pending_ = std::move(item);
    }
    level.path = std::move(path);
    level.relative = std::move(relative);
    level.entries = std::move(listing.entries);
    level.identified = look.has_value();
    if (look) {
        walking_.push_back(look->identity);
    }
    levels_.push_back(std::move(level));
}

bool TreeLister::takesFile(const DirectoryEntry& entry) const {
    // A name that several patterns match is listed once.
    return entry.kind == DirectoryEntry::Kind::File && !names_.excluded(entry.name) &&
           names_.passes(entry.name);
}

void TreeLister::hint(Level& level) {
    const auto& entries = *level.entries;
    level.hinted = std::max(level.hinted, level.nextFile);
    std::size_t taken = 0;
    for (std::size_t i = level.nextFile; i < level.hinted; ++i) {
        taken += takesFile(entries[i]) ? 1 : 0;
    }
    while (level.hinted < entries.size() && taken < kFilesAhead) {
        const auto entry = entries[level.hinted++];
        if (takesFile(entry)) {
            files_.willRead(level.path, entry.name, true);
            ++taken;
        }
    }
}

std::optional<TreeItem> TreeLister::next() {
    while (!levels_.empty()) {
        if (pending_) {
            auto item = std::move(*pending_);
            pending_.reset();
            return item;
        }
        Level& level = levels_.back();
        bool entered = false;
        if (level.entries) {
            const auto& entries = *level.entries;
            while (level.nextFile < entries.size()) {
                const auto entry = entries[level.nextFile];
                if (hintAhead_ && level.hinted <= level.nextFile) {
                    hint(level);
                }
                ++level.nextFile;
                if (takesFile(entry)) {
                    TreeItem item;
                    item.path = below(level.relative, entry.name);
                    item.directory = level.relative;
                    item.name = std::string(entry.name);
                    item.wholePath = joinPath(level.path, entry.name);
                    item.size = entry.size;
                    return item;
                }
            }
            while (options_.recurse && level.nextDirectory < entries.size()) {
                const auto entry = entries[level.nextDirectory++];
                if (entry.kind != DirectoryEntry::Kind::Directory || names_.excluded(entry.name)) {
                    continue;
                }
                auto path = joinPath(level.path, entry.name);
                const auto look = files_.lookAtDirectory(path);
                if (look &&
                    std::find(walking_.begin(), walking_.end(), look->identity) != walking_.end()) {
                    continue; // a link back to a directory being walked
                }
                enter(std::move(path), below(level.relative, entry.name), look);
                entered = true;
                break;
            }
        }
        if (entered) {
            continue;
        }
        if (levels_.back().identified) {
            walking_.pop_back();
        }
        levels_.pop_back();
    }
    return std::nullopt;
}

} // namespace quorvel
