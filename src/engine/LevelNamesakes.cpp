#include "engine/LevelNamesakes.h"

#include "base/PathText.h"
#include "engine/NameFilter.h"
#include "engine/NameOrder.h"

#include <algorithm>

namespace quorvel {

namespace {

bool isFile(const DirectoryEntry& e) {
    return e.kind == DirectoryEntry::Kind::File;
}

} // namespace

void LevelNamesakes::setOptions(const CompareOptions& options) {
    matcher_.setRule(options.names);
    recurse_ = options.recurse;
}

std::string LevelNamesakes::rightDirectory(const WalkStep& step, const std::string& rightBase) {
    if (!step.rightPath.empty()) {
        return step.rightPath;
    }
    return step.relativePath.empty() ? rightBase : joinPath(rightBase, step.relativePath);
}

void LevelNamesakes::listRightFirst(FileAccess& files, const ListedEntries& left,
                                    const std::string& right, DirectoryListing& rightListing,
                                    WalkLevel& level) {
    if (!matcher_.exact()) {
        rightListing = files.listNames(right);
        matcher_.learnSides(&left, rightListing.entries ? &*rightListing.entries : nullptr, names_);
        level.rightPath = right;
    }
}

NameMatch LevelNamesakes::rightNameOf(std::string_view leftName) const {
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

std::string LevelNamesakes::rightRelativePath(const WalkStep& step, std::string_view leftName,
                                              std::string_view rightName) {
    if (step.rightRelativePath.empty() && leftName == rightName) {
        return {};
    }
    const auto& directory =
        step.rightRelativePath.empty() ? step.relativePath : step.rightRelativePath;
    return relativeBelow(directory, rightName);
}

NameCollision LevelNamesakes::collision(const DirectoryEntry& entry,
                                        const std::string& relativePath, int side,
                                        const NameMatch& match) {
    NameCollision collision;
    // A directory is named as one that cannot be read is: by its relative path and "/".
    collision.name =
        isFile(entry) ? std::string(entry.name) : relativeBelow(relativePath, entry.name) + "/";
    for (const auto other : match.collidesWith) {
        collision.others += collision.others.empty() ? "" : "/";
        collision.others += other;
    }
    collision.side = side;
    collision.collidingSide = match.collidingSide;
    return collision;
}

std::vector<NameCollision> LevelNamesakes::matchSubdirectories(const ListedEntries& listing,
                                                               const std::string& relativePath,
                                                               WalkLevel& level) const {
    std::vector<NameCollision> collisions;
    if (matcher_.exact() || !recurse_) {
        return collisions;
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
            collisions.push_back(collision(entry, relativePath, 1, match));
        } else if (!match.namesake.empty() && match.namesake != entry.name) {
            level.spelledOtherwise.emplace_back(entry.name, match.namesake);
        }
    }
    return collisions;
}

RightOnlyNames LevelNamesakes::rightOnly(const ListedEntries& right, const ListedEntries* left,
                                         const std::string& relativePath) {
    // Across spellings a left directory that is there was learnt before its pairs.
    if (matcher_.exact()) {
        matcher_.learnLeft(left);
    } else if (left == nullptr) {
        matcher_.learnSides(nullptr, &right, names_);
    }
    RightOnlyNames names;
    for (std::size_t i = 0; i < right.size(); ++i) {
        const auto entry = right[i];
        if (names_.excluded(entry.name)) {
            continue;
        }
        if (matcher_.exact()) {
            if (matcher_.hasLeftNamesake(entry.name)) {
                continue;
            }
        } else if (const auto match = matcher_.matchRight(entry.name); match.collides()) {
            if (listed(entry)) {
                names.collisions.push_back(collision(entry, relativePath, 2, match));
            }
            continue;
        } else if (!match.namesake.empty()) {
            continue;
        }
        if (listed(entry)) {
            (isFile(entry) ? names.files : names.directories).push_back(entry.name);
        }
    }
    const auto byName = [](std::string_view a, std::string_view b) { return nameLess(a, b); };
    std::sort(names.files.begin(), names.files.end(), byName);
    std::sort(names.directories.begin(), names.directories.end(), byName);
    std::sort(names.collisions.begin(), names.collisions.end(),
              [](const auto& a, const auto& b) { return nameLess(a.name, b.name); });
    return names;
}

bool LevelNamesakes::listed(const DirectoryEntry& entry) const {
    return isFile(entry) ? names_.passes(entry.name) : recurse_;
}

} // namespace quorvel
