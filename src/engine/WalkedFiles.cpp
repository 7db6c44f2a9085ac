#include "engine/WalkedFiles.h"

#include "base/PathText.h"

#include <algorithm>

namespace quorvel {

namespace {

constexpr std::size_t kFilesAhead = 128;

} // namespace

WalkedFiles::WalkedFiles(FileAccess& files, const std::string& root, const CompareOptions& options,
                         bool hintAhead)
    : files_(files), names_(options.filter, options.exclusions), recurse_(options.recurse),
      hintAhead_(hintAhead) {
    walk_.start(runDirectory(root), "");
}

bool WalkedFiles::takesFile(const DirectoryEntry& entry) const {
    return entry.kind == DirectoryEntry::Kind::File && !names_.excluded(entry.name) &&
           names_.passes(entry.name);
}

void WalkedFiles::hint() {
    const auto& entries = level_->entries();
    hinted_ = std::max(hinted_, nextFile_);
    std::size_t taken = 0;
    for (std::size_t i = nextFile_; i < hinted_; ++i) {
        taken += takesFile(entries[i]) ? 1 : 0;
    }
    while (hinted_ < entries.size() && taken < kFilesAhead) {
        const auto entry = entries[hinted_++];
        if (takesFile(entry)) {
            files_.willRead(level_->path, entry.name, true);
            ++taken;
        }
    }
}

std::optional<WalkedFile> WalkedFiles::next() {
    for (;;) {
        if (level_ != nullptr) {
            const auto& entries = level_->entries();
            while (nextFile_ < entries.size()) {
                const auto entry = entries[nextFile_];
                if (hintAhead_ && hinted_ <= nextFile_) {
                    hint();
                }
                ++nextFile_;
                if (takesFile(entry)) {
                    WalkedFile file;
                    file.path = relativeBelow(level_->relativePath, entry.name);
                    file.directory = level_->relativePath;
                    file.name = std::string(entry.name);
                    file.wholePath = joinPath(level_->path, entry.name);
                    file.size = entry.size;
                    return file;
                }
            }
            level_ = nullptr;
        }
        if (started_ && !recurse_) {
            return std::nullopt;
        }
        started_ = true;
        auto step = walk_.next();
        if (!step) {
            return std::nullopt;
        }
        auto listing = files_.listDirectory(step->path);
        if (!listing.entries) {
            WalkedFile unreadable;
            unreadable.path = step->relativePath.empty() ? "./" : step->relativePath + "/";
            unreadable.directory = step->relativePath;
            unreadable.name = unreadable.path;
            unreadable.wholePath = step->path;
            unreadable.errorCode = listing.errorCode;
            unreadable.unreadableDirectory = true;
            walk_.enter(std::move(*step), WalkLevel{});
            return unreadable;
        }
        WalkLevel level;
        level.owned = std::move(*listing.entries);
        walk_.enter(std::move(*step), std::move(level));
        level_ = &walk_.levels().back();
        nextFile_ = 0;
        hinted_ = 0;
    }
}

} // namespace quorvel
