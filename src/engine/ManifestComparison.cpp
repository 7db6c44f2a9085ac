#include "engine/ManifestComparison.h"

#include "base/PathText.h"
#include "engine/FileAccess.h"
#include "engine/RunObserver.h"
#include "engine/RunRecord.h"
#include "engine/Wildcard.h"

#include <vector>

namespace quorvel {

// Hands out one side's items in order: a manifest's entries under the run's filter, or what a
// walk of the tree meets.
class ManifestComparison::Cursor {
public:
    Cursor(const ManifestRunSide& side, FileAccess& files, const CompareOptions& options)
        : manifest_(side.manifest), named_(side.named), leftOut_(side.leftOut),
          names_(options.filter, options.exclusions), recurse_(options.recurse) {
        if (manifest_ == nullptr) {
            tree_.emplace(files, side.named, options, !options.fast);
        }
    }

    Item* peek() {
        if (!current_) {
            current_ = tree_ ? fromTree() : fromManifest();
        }
        return current_ ? &*current_ : nullptr;
    }
    void pop() { current_.reset(); }

private:
    std::optional<Item> fromTree() {
        auto found = tree_->next();
        while (found && leftOut_ && leftOut_(found->path)) {
            found = tree_->next();
        }
        if (!found) {
            return std::nullopt;
        }
        Item item;
        item.path = std::move(found->path);
        item.directory = std::move(found->directory);
        item.name = std::move(found->name);
        item.wholePath = std::move(found->wholePath);
        item.size = found->size;
        item.errorCode = found->errorCode;
        item.live = true;
        return item;
    }

    // Whether the run's filter, exclusions and recursion take a manifest's path.
    bool takes(std::string_view path) const {
        if (path == "./") {
            return true;
        }
        const bool directory = path.back() == '/';
        if (directory) {
            path.remove_suffix(1);
        }
        std::size_t parts = 0;
        for (std::string_view rest = path;; ++parts) {
            const auto slash = rest.find('/');
            const auto part = rest.substr(0, slash);
            if (names_.excluded(part)) {
                return false;
            }
            if (slash == std::string_view::npos) {
                if (!directory && !names_.passes(part)) {
                    return false;
                }
                break;
            }
            rest.remove_prefix(slash + 1);
        }
        return recurse_ || parts == 0;
    }

    std::optional<Item> fromManifest() {
        const auto& entries = manifest_->entries;
        while (next_ < entries.size()) {
            const auto entry = entries[next_++];
            if (!takes(entry.path) || (leftOut_ && leftOut_(entry.path))) {
                continue;
            }
            Item item;
            item.path = std::string(entry.path);
            if (entry.path == "./") {
                item.name = item.path;
            } else if (entry.path.back() == '/') {
                item.directory = item.path.substr(0, item.path.size() - 1);
                item.name = item.path;
            } else {
                const auto slash = entry.path.rfind('/');
                if (slash != std::string_view::npos) {
                    item.directory = item.path.substr(0, slash);
                }
                item.name = item.path.substr(slash == std::string_view::npos ? 0 : slash + 1);
            }
            item.size = entry.size;
            item.errorCode = entry.errorCode;
            if (entry.errorCode == 0) {
                item.hash = entry.hash;
            } else {
                item.recordedIn = &named_;
            }
            return item;
        }
        return std::nullopt;
    }

    const Manifest* manifest_;
    std::string named_;
    LeftOutPaths leftOut_;
    std::size_t next_ = 0;
    std::optional<WalkedFiles> tree_;
    std::optional<Item> current_;
    NameFilter names_;
    bool recurse_;
};

ManifestComparison::ManifestComparison(RunObserver& observer, RunRecord& record, FileAccess& files)
    : hold_(observer, record), observer_(hold_), record_(hold_), files_(files),
      books_(state_, observer_), blocks_(state_, observer_, record_, books_), hasher_(files_) {}

ManifestComparison::~ManifestComparison() = default;

void ManifestComparison::headingOf(const ManifestRunSide& side, HeadingKind manifestKind,
                                   HeadingKind treeKind) {
    if (side.manifest == nullptr) {
        record_.heading(treeKind, runDirectory(side.named));
        return;
    }
    record_.heading(manifestKind, side.named);
    record_.quotedHeading(QuotedKind::ManifestTaken,
                          side.manifest->info.date + ", " + side.manifest->info.tree);
}

void ManifestComparison::begin(const RunRequest& request, const ManifestRunSide& left,
                               const ManifestRunSide& right) {
    left_ = left;
    right_ = right;
    state_ = RunState{};
    state_.options = request.options;
    // A move is found among the files only on either side: those on the right are listed too.
    state_.options.bothSides = state_.options.bothSides || request.options.moves;
    const auto moveSide = [](const ManifestRunSide& side) {
        return MoveSide{side.manifest ? std::string() : runDirectory(side.named), side.manifest};
    };
    hold_.start(request.options.moves, moveSide(left), moveSide(right));
    blocks_.reset();
    record_.clear(request);
    files_.forgetCaches();
    headingOf(left, HeadingKind::Manifest, HeadingKind::Directory);
    headingOf(right, HeadingKind::WithManifest, HeadingKind::WithDirectory);
    record_.optionHeadings();
    observer_.runStarted();
}

void ManifestComparison::sumSizes() {
    // What a live side will read at most is what the manifest holds; no walk is needed for it.
    pollAbort(observer_, state_);
    const Manifest* manifest = left_.manifest ? left_.manifest : right_.manifest;
    double total = 0;
    if (manifest != nullptr && (left_.manifest == nullptr || right_.manifest == nullptr) &&
        !state_.options.fast) {
        for (std::size_t i = 0; i < manifest->entries.size(); ++i) {
            total += static_cast<double>(manifest->entries[i].size);
        }
    }
    state_.progress.grandTotal = total;
}

void ManifestComparison::comparePairs() {
    Cursor left(left_, files_, state_.options);
    Cursor right(right_, files_, state_.options);
    // A directory's files go as a directory run takes them: the left side's pattern by pattern
    // (a name two patterns match, twice), then those only on the right. With one pattern only
    // the right side's wait.
    const NameFilter names(state_.options.filter, state_.options.exclusions);
    const bool byPattern = names.patterns().size() > 1;
    std::vector<Pending> waiting;
    const auto flush = [&] {
        for (const std::string& pattern :
             byPattern ? names.patterns() : std::vector<std::string>{}) {
            for (const Pending& p : waiting) {
                if (p.left && !state_.runInterrupted && matchesWildcard(pattern, p.left->name)) {
                    p.right ? compareSame(*p.left, *p.right) : onlyOnOneSide(*p.left, true);
                }
            }
        }
        for (const Pending& p : waiting) {
            if (!p.left && !state_.runInterrupted) {
                onlyOnOneSide(*p.right, false);
            }
        }
        waiting.clear();
    };
    for (;;) {
        pollAbort(observer_, state_);
        if (state_.abortRequested) {
            state_.runInterrupted = true;
        }
        if (state_.runInterrupted) {
            break;
        }
        Item* a = left.peek();
        Item* b = right.peek();
        if (a == nullptr && b == nullptr) {
            break;
        }
        Pending next;
        if (a != nullptr && (b == nullptr || matcher_.pathLess(a->path, b->path))) {
            next.left = std::move(*a);
            left.pop();
        } else if (a == nullptr || matcher_.pathLess(b->path, a->path)) {
            next.right = std::move(*b);
            right.pop();
        } else {
            next.left = std::move(*a);
            next.right = std::move(*b);
            left.pop();
            right.pop();
        }
        const Item& item = next.left ? *next.left : *next.right;
        const bool isDirectory = item.path.back() == '/';
        if (!waiting.empty() && (isDirectory || item.directory != waiting.front().directory())) {
            flush();
        }
        if (isDirectory) {
            next.left ? (next.right ? compareSame(*next.left, *next.right)
                                    : onlyOnOneSide(*next.left, true))
                      : onlyOnOneSide(*next.right, false);
        } else if (next.left && !byPattern) {
            next.right ? compareSame(*next.left, *next.right) : onlyOnOneSide(*next.left, true);
        } else {
            waiting.push_back(std::move(next));
        }
    }
    if (!state_.runInterrupted) {
        flush();
    }
    hold_.finish(files_, state_);
    record_.blank();
}

void ManifestComparison::onlyOnOneSide(const Item& item, bool left) {
    // Counted as a directory run counts it: the left file's size.
    state_.progress.currentFileName = item.name;
    state_.progress.currentFileSize = left && item.errorCode == 0 ? item.size : 0;
    if (item.errorCode != 0) {
        // Trouble on either side is named, or it would pass for a tree without those files.
        tellProblem(item);
        recordPair(item, left ? CompareResult::ErrorReading1st : CompareResult::NotFoundIn1st, {},
                   {}, item.errorCode);
        return;
    }
    if (left) {
        recordPair(item, CompareResult::NotFoundIn2nd, item.size, {}, 0);
    } else if (state_.options.bothSides) {
        recordPair(item, CompareResult::NotFoundIn1st, {}, item.size, 0);
    }
}

void ManifestComparison::tellProblem(const Item& item) {
    if (item.recordedIn != nullptr) {
        observer_.recordedProblem(*item.recordedIn, item.path, item.errorCode);
    } else {
        observer_.readProblem(item.wholePath, item.errorCode);
    }
}

bool ManifestComparison::hashLive(Item& item) {
    auto& progress = state_.progress;
    const double before = state_.counters.bytesCompared;
    const auto hashed = hasher_.hash(item.wholePath, [&](std::int64_t done) {
        progress.currentFileDone = done;
        RunBytes bytes;
        bytes.pairDone = done;
        bytes.pairSize = item.size;
        bytes.runDone = before + static_cast<double>(done);
        bytes.runTotal = progress.grandTotal;
        bytes.blockRead = true;
        observer_.bytesCompared(bytes);
        pollAbort(observer_, state_);
        return !state_.abortRequested;
    });
    if (hashed.stopped) {
        state_.runInterrupted = true;
        return false;
    }
    if (!hashed.hash) {
        item.errorCode = hashed.errorCode;
        observer_.readProblem(item.wholePath, item.errorCode);
        return false;
    }
    item.hash = hashed.hash;
    item.size = hashed.size; // the file as read now
    return true;
}

void ManifestComparison::compareSame(const Item& leftItem, const Item& rightItem) {
    Item left = leftItem;
    Item right = rightItem;
    const Item& named = left;
    state_.progress.currentFileName = named.name;
    state_.progress.currentFileSize = left.size;
    state_.progress.currentFileDone = 0;
    observer_.pairBegun(named.name);
    // As in a directory run: a right file that cannot be read is not found there.
    const auto unreadable = [](bool isLeft) {
        return isLeft ? CompareResult::ErrorReading1st : CompareResult::NotFoundIn2nd;
    };
    if (left.errorCode != 0 || right.errorCode != 0) {
        const bool leftBad = left.errorCode != 0;
        tellProblem(leftBad ? left : right);
        const Item& bad = leftBad ? left : right;
        recordPair(named, unreadable(leftBad), {}, {}, bad.errorCode);
        return;
    }
    if (state_.options.fast || left.size != right.size) {
        const auto result =
            left.size != right.size ? CompareResult::DifferentSize : CompareResult::EqualMaybe;
        recordPair(named, result, left.size, right.size, 0);
        return;
    }
    for (Item* side : {&left, &right}) {
        if (side->live && !hashLive(*side)) {
            if (state_.runInterrupted) {
                return; // neither counted nor written, as a pair cut short anywhere
            }
            recordPair(named, unreadable(side == &left), {}, {}, side->errorCode);
            return;
        }
    }
    // A file that changed size while it was read would be truncated to a byte comparison; a
    // hash cannot tell which side is the shorter start of the other.
    const bool equal = left.size == right.size && left.hash == right.hash;
    recordPair(named, equal ? CompareResult::Equal : CompareResult::DifferentContents, left.size,
               right.size, 0);
}

void ManifestComparison::recordPair(const Item& item, CompareResult result,
                                    std::optional<std::int64_t> leftSize,
                                    std::optional<std::int64_t> rightSize, int errorCode) {
    // Once interrupted the pair is neither counted nor written, and the run stops at its next
    // poll.
    blocks_.record({item.directory, item.name, result, leftSize, rightSize, errorCode});
}

void ManifestComparison::end() {
    files_.forgetCaches();
    record_.status(state_.runInterrupted);
    record_.summary(state_.counters, state_.options.fast);
    observer_.runEnded(state_.runInterrupted);
}

} // namespace quorvel
