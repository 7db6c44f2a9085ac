#include "engine/MoveFinder.h"

#include "engine/FileAccess.h"
#include "engine/PairRecord.h"
#include "engine/RunObserver.h"
#include "engine/RunState.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <tuple>

namespace quorvel {

namespace {

// Files of one size read side by side are all open at once, each with a buffer of its own.
constexpr std::size_t kMostOpen = 256;
constexpr std::int64_t kStep = std::int64_t{64} << 10;

} // namespace

MoveFinder::MoveFinder(FileAccess& files, RunObserver& observer, RunState& state, PathOf pathOf)
    : files_(files), observer_(observer), state_(state), pathOf_(std::move(pathOf)) {}

bool MoveFinder::bothSides(const Group& group) const {
    const auto onLeft = [this](std::size_t i) { return (*all_)[i].side == 1; };
    return std::any_of(group.begin(), group.end(), onLeft) &&
           !std::all_of(group.begin(), group.end(), onLeft);
}

std::vector<MoveMatch> MoveFinder::find(const std::vector<MoveCandidate>& candidates) {
    all_ = &candidates;
    hashes_.clear();
    for (const auto& c : candidates) {
        hashes_.push_back(c.hash);
    }
    std::vector<MoveMatch> matches(candidates.size());
    Group order;
    for (std::size_t i = 0; i < candidates.size(); ++i) {
        // An empty file is no evidence: any two are equal.
        if (candidates[i].size > 0) {
            order.push_back(i);
        }
    }
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        return candidates[a].size < candidates[b].size;
    });
    for (auto from = order.begin(); from != order.end();) {
        const auto to = std::find_if(from, order.end(), [&](std::size_t i) {
            return candidates[i].size != candidates[*from].size;
        });
        const Group group(from, to);
        from = to;
        if (!bothSides(group)) {
            continue;
        }
        const bool recorded = std::any_of(group.begin(), group.end(),
                                          [&](std::size_t i) { return candidates[i].recorded; });
        std::vector<Group> equal;
        if (!recorded && group.size() <= kMostOpen) {
            equal = byBytes(group);
        } else {
            for (auto& alike : byHash(group)) {
                const bool live = std::none_of(alike.begin(), alike.end(), [&](std::size_t i) {
                    return candidates[i].recorded;
                });
                // A hash stands for the bytes only where a manifest holds nothing else; files
                // read now are compared, unless too many are alike to be anyone's one match.
                auto split =
                    live && alike.size() <= kMostOpen ? byBytes(alike) : std::vector<Group>{alike};
                std::move(split.begin(), split.end(), std::back_inserter(equal));
            }
        }
        if (state_.abortRequested) {
            return std::vector<MoveMatch>(candidates.size());
        }
        for (const auto& e : equal) {
            answer(e, matches);
        }
    }
    return matches;
}

void MoveFinder::answer(const Group& equal, std::vector<MoveMatch>& matches) const {
    Group left;
    Group right;
    for (const auto i : equal) {
        ((*all_)[i].side == 1 ? left : right).push_back(i);
    }
    if (left.empty() || right.empty()) {
        return;
    }
    if (left.size() == 1 && right.size() == 1) {
        matches[left.front()].partner = right.front();
        matches[right.front()].partner = left.front();
        return;
    }
    const auto lefts = std::make_shared<const Group>(std::move(left));
    const auto rights = std::make_shared<const Group>(std::move(right));
    for (const auto i : *lefts) {
        matches[i].candidates = rights;
    }
    for (const auto i : *rights) {
        matches[i].candidates = lefts;
    }
}

std::vector<MoveFinder::Group> MoveFinder::byBytes(const Group& group) {
    const auto& all = *all_;
    const std::int64_t size = all[group.front()].size;
    const std::int64_t step = std::min(size, kStep);
    struct Reading {
        std::size_t index;
        std::string path;
        OpenedFile file;
        std::unique_ptr<char[]> buffer;
    };
    std::vector<Reading> readings;
    readings.reserve(group.size());
    Group open; // positions in `readings`
    for (const auto i : group) {
        auto path = pathOf_(i);
        auto file = files_.openFile(path, nullptr);
        if (!file.isOpen()) {
            if (file.problem.errorCode != 0) {
                observer_.readProblem(path, file.problem.errorCode);
            }
            continue;
        }
        open.push_back(readings.size());
        readings.push_back({i, std::move(path), std::move(file), std::make_unique<char[]>(step)});
    }
    const auto sides = [&](const Group& positions) {
        Group indices;
        for (const auto p : positions) {
            indices.push_back(readings[p].index);
        }
        return bothSides(indices);
    };
    std::vector<Group> classes{open};
    for (std::int64_t done = 0; done < size && !classes.empty(); done += step) {
        pollAbort(observer_, state_);
        if (state_.abortRequested) {
            return {};
        }
        const auto want = std::min(step, size - done);
        std::vector<Group> next;
        for (const auto& members : classes) {
            std::vector<Group> split;
            for (const auto p : members) {
                auto& r = readings[p];
                const auto read = files_.readBlock(r.file, r.buffer.get(), want);
                if (read.count != want) {
                    // Unreadable, or shorter than it was: no match can vouch for it.
                    observer_.readProblem(r.path,
                                          read.count < 0 ? read.errorCode : kChangedWhileRead);
                    continue;
                }
                const auto same = std::find_if(split.begin(), split.end(), [&](const Group& s) {
                    return std::memcmp(readings[s.front()].buffer.get(), r.buffer.get(),
                                       static_cast<std::size_t>(want)) == 0;
                });
                same == split.end() ? split.push_back({p}) : same->push_back(p);
            }
            std::copy_if(std::make_move_iterator(split.begin()),
                         std::make_move_iterator(split.end()), std::back_inserter(next), sides);
        }
        classes = std::move(next);
    }
    std::vector<Group> equal;
    for (const auto& members : classes) {
        Group unchanged;
        for (const auto p : members) {
            auto& r = readings[p];
            if (files_.changedSinceOpened(r.file)) {
                observer_.readProblem(r.path, kChangedWhileRead);
            } else {
                unchanged.push_back(r.index);
            }
        }
        if (bothSides(unchanged)) {
            equal.push_back(std::move(unchanged));
        }
    }
    return equal;
}

std::vector<MoveFinder::Group> MoveFinder::byHash(const Group& group) {
    const auto& all = *all_;
    Group hashed;
    for (const auto i : group) {
        if (!hashes_[i] && all[i].recorded) {
            continue; // a manifest that recorded no hash for it
        }
        if (!hashes_[i]) {
            const auto path = pathOf_(i);
            const auto file = hasher_.hash(path, [this](std::int64_t) {
                pollAbort(observer_, state_);
                return !state_.abortRequested;
            });
            if (file.stopped) {
                return {};
            }
            if (!file.hash || file.size != all[i].size) {
                observer_.readProblem(path, file.hash ? kChangedWhileRead : file.errorCode);
                continue;
            }
            hashes_[i] = file.hash;
        }
        hashed.push_back(i);
    }
    const auto key = [this](std::size_t i) { return std::tie(hashes_[i]->high, hashes_[i]->low); };
    std::stable_sort(hashed.begin(), hashed.end(),
                     [&](std::size_t a, std::size_t b) { return key(a) < key(b); });
    std::vector<Group> alike;
    for (auto from = hashed.begin(); from != hashed.end();) {
        const auto to = std::find_if(from, hashed.end(),
                                     [&](std::size_t i) { return hashes_[i] != hashes_[*from]; });
        Group members(from, to);
        from = to;
        if (bothSides(members)) {
            alike.push_back(std::move(members));
        }
    }
    return alike;
}

} // namespace quorvel
