#include "engine/TreeWalk.h"

#include "base/PathText.h"
#include "engine/NameOrder.h"

#include <algorithm>

namespace quorvel {

void TreeWalk::start(const std::string& base, const std::string& relativePath) {
    levels_.clear();
    walking_.clear();
    WalkStep top;
    top.path = relativePath.empty() ? base : joinPath(base, relativePath);
    top.relativePath = relativePath;
    top.look = files_.lookAtDirectory(top.path);
    if (top.look) {
        walking_.push_back(top.look->identity);
    }
    top_ = std::move(top);
}

std::optional<WalkStep> TreeWalk::next() {
    if (top_) {
        auto top = std::move(*top_);
        top_.reset();
        return top;
    }
    while (!levels_.empty()) {
        if (auto step = nextSubdirectory(levels_.back())) {
            return step;
        }
        if (levels_.back().identified) {
            walking_.pop_back();
        }
        levels_.pop_back();
    }
    return std::nullopt;
}

void TreeWalk::enter(WalkStep step, WalkLevel level) {
    Level entered;
    static_cast<WalkLevel&>(entered) = std::move(level);
    entered.path = std::move(step.path);
    entered.relativePath = std::move(step.relativePath);
    entered.rightRelativePath = std::move(step.rightRelativePath);
    entered.identified = step.look.has_value();
    levels_.push_back(std::move(entered));
}

std::optional<WalkStep> TreeWalk::nextSubdirectory(Level& level) {
    const auto& entries = level.entries();
    for (;;) {
        while (level.next < entries.size() &&
               (entries[level.next].kind == DirectoryEntry::Kind::File ||
                !walked(level, entries[level.next].name))) {
            ++level.next;
        }
        const bool onLeft = level.next < entries.size();
        const bool onRight = level.nextRightOnly < level.rightOnly.size();
        if (!onLeft && !onRight) {
            return std::nullopt;
        }
        WalkStep step;
        step.rightOnly = onRight && (!onLeft || nameLess(level.rightOnly[level.nextRightOnly],
                                                         entries[level.next].name));
        const std::string name = step.rightOnly ? std::move(level.rightOnly[level.nextRightOnly++])
                                                : std::string(entries[level.next++].name);
        step.path = joinPath(step.rightOnly ? level.rightPath : level.path, name);
        // A directory only on the right is named as the right spells its path.
        const auto& parent = step.rightOnly && !level.rightRelativePath.empty()
                                 ? level.rightRelativePath
                                 : level.relativePath;
        step.relativePath = relativeBelow(parent, name);
        if (!step.rightOnly) {
            spellRight(level, name, step);
        }
        // A directory that cannot be looked at is still entered: its listing tells the rest.
        step.look = files_.lookAtDirectory(step.path);
        if (step.look) {
            if (std::find(walking_.begin(), walking_.end(), step.look->identity) !=
                walking_.end()) {
                continue;
            }
            walking_.push_back(step.look->identity);
        }
        return step;
    }
}

bool TreeWalk::walked(const Level& level, std::string_view name) const {
    return !names_.excluded(name) &&
           std::find(level.unwalked.begin(), level.unwalked.end(), name) == level.unwalked.end();
}

void TreeWalk::spellRight(const Level& level, std::string_view name, WalkStep& step) const {
    const auto spelled = std::find_if(level.spelledOtherwise.begin(), level.spelledOtherwise.end(),
                                      [name](const auto& names) { return names.first == name; });
    if (spelled == level.spelledOtherwise.end() && level.rightRelativePath.empty()) {
        return;
    }
    const std::string rightName =
        spelled == level.spelledOtherwise.end() ? std::string(name) : spelled->second;
    const auto& parent =
        level.rightRelativePath.empty() ? level.relativePath : level.rightRelativePath;
    step.rightRelativePath = relativeBelow(parent, rightName);
    step.rightPath = joinPath(level.rightPath, rightName);
}

} // namespace quorvel
