#include "engine/MovesHold.h"

#include "base/PathText.h"
#include "engine/ManifestEntries.h"
#include "engine/RunState.h"

#include <unordered_map>

namespace quorvel {

namespace {

// The side whose file only it is, or 0 for any other pair: a directory, trouble, a pair.
int oneSide(const PairRecord& pair) {
    if (pair.errorCode != 0 || pair.name.empty() || pair.name.back() == '/') {
        return 0;
    }
    if (pair.result == CompareResult::NotFoundIn2nd && pair.leftSize) {
        return 1;
    }
    if (pair.result == CompareResult::NotFoundIn1st && pair.rightSize) {
        return 2;
    }
    return 0;
}

} // namespace

MovesHold::MovesHold(RunObserver& observer, RunRecord& record)
    : observer_(observer), record_(record) {}

void MovesHold::start(bool moves, MoveSide left, MoveSide right) {
    moves_ = moves;
    holding_ = false;
    sides_[0] = std::move(left);
    sides_[1] = std::move(right);
    pairs_.clear();
    directories_.clear();
    namings_.clear();
    texts_.clear();
    events_.clear();
    candidates_.clear();
    candidatePairs_.clear();
}

std::string MovesHold::pathOf(const HeldPair& held) const {
    return relativeBelow(directories_[held.directory], held.name);
}

std::size_t MovesHold::hold(const PairRecord& facts) {
    if (directories_.empty() || directories_.back() != facts.directory) {
        directories_.emplace_back(facts.directory);
    }
    HeldPair held;
    held.name = facts.name;
    held.leftSize = facts.leftSize.value_or(-1);
    held.rightSize = facts.rightSize.value_or(-1);
    held.directory = static_cast<std::uint32_t>(directories_.size() - 1);
    held.errorCode = facts.errorCode;
    held.result = facts.result;
    held.changedSide = static_cast<std::uint8_t>(facts.changedSide);
    held.nameSide = static_cast<std::uint8_t>(facts.nameSide);
    held.collidingSide = static_cast<std::uint8_t>(facts.collidingSide);
    pairs_.push_back(std::move(held));
    if (!facts.rightPath.empty() || !facts.collidesWith.empty()) {
        namings_.emplace(pairs_.size() - 1,
                         Naming{std::string(facts.rightPath), std::string(facts.collidesWith)});
    }
    return pairs_.size() - 1;
}

PairRecord MovesHold::factsOf(std::size_t pair) const {
    const auto& held = pairs_[pair];
    PairRecord facts;
    facts.directory = directories_[held.directory];
    facts.name = held.name;
    facts.result = held.result;
    if (held.leftSize >= 0) {
        facts.leftSize = held.leftSize;
    }
    if (held.rightSize >= 0) {
        facts.rightSize = held.rightSize;
    }
    facts.errorCode = held.errorCode;
    facts.changedSide = held.changedSide;
    facts.nameSide = held.nameSide;
    facts.collidingSide = held.collidingSide;
    if (const auto naming = namings_.find(pair); naming != namings_.end()) {
        facts.rightPath = naming->second.rightPath;
        facts.collidesWith = naming->second.collidesWith;
    }
    return facts;
}

void MovesHold::pairCounted(const PairRecord& pair, const RunCounters& counters) {
    const int side = oneSide(pair);
    holding_ = holding_ || (moves_ && side != 0);
    if (!holding_) {
        observer_.pairCounted(pair, counters);
        return;
    }
    const auto index = hold(pair);
    pairs_[index].counters = counters;
    events_.push_back({Kind::Counted, index});
    if (side != 0) {
        addCandidate(index, side);
    }
}

void MovesHold::pair(const PairRecord& facts) {
    if (!holding_) {
        record_.pair(facts);
        return;
    }
    // A pair is written just after it was counted: the pair held then.
    std::size_t index = pairs_.size() - 1;
    if (pairs_.empty() || pairs_.back().recorded || pairs_.back().name != facts.name ||
        directories_[pairs_.back().directory] != facts.directory) {
        index = hold(facts);
    }
    pairs_[index].recorded = true;
    events_.push_back({Kind::Recorded, index});
}

void MovesHold::subdirectory(std::string_view relativePath) {
    if (!holding_) {
        record_.subdirectory(relativePath);
        return;
    }
    texts_.emplace_back(relativePath);
    events_.push_back({Kind::Subdirectory, texts_.size() - 1});
}

void MovesHold::readProblem(std::string_view path, int errorCode) {
    if (!holding_) {
        observer_.readProblem(path, errorCode);
        return;
    }
    texts_.emplace_back(path);
    events_.push_back({Kind::ReadProblem, texts_.size() - 1, errorCode});
}

void MovesHold::recordedProblem(std::string_view manifest, std::string_view path, int errorCode) {
    if (!holding_) {
        observer_.recordedProblem(manifest, path, errorCode);
        return;
    }
    texts_.emplace_back(manifest);
    texts_.emplace_back(path);
    events_.push_back({Kind::RecordedProblem, texts_.size() - 2, errorCode});
}

void MovesHold::addCandidate(std::size_t pair, int side) {
    const auto& held = pairs_[pair];
    MoveCandidate candidate;
    candidate.side = side;
    candidate.size = side == 1 ? held.leftSize : held.rightSize;
    candidate.recorded = sides_[side - 1].manifest != nullptr;
    pairs_[pair].candidate = static_cast<std::uint32_t>(candidates_.size());
    candidates_.push_back(candidate);
    candidatePairs_.push_back(pair);
}

void MovesHold::matchManifestHashes() {
    for (int side = 1; side <= 2; ++side) {
        const Manifest* manifest = sides_[side - 1].manifest;
        if (manifest == nullptr) {
            continue;
        }
        std::unordered_map<std::string, std::size_t> byPath;
        for (std::size_t c = 0; c < candidates_.size(); ++c) {
            if (candidates_[c].side == side) {
                byPath.emplace(pathOf(pairs_[candidatePairs_[c]]), c);
            }
        }
        for (std::size_t i = 0; i < manifest->entries.size() && !byPath.empty(); ++i) {
            const auto entry = manifest->entries[i];
            const auto found = byPath.find(std::string(entry.path));
            if (found != byPath.end() && entry.errorCode == 0) {
                candidates_[found->second].hash = entry.hash;
            }
        }
    }
}

void MovesHold::finish(FileAccess& files, RunState& state) {
    if (!holding_) {
        return;
    }
    std::vector<MoveMatch> matches(candidates_.size());
    if (!state.runInterrupted) {
        matchManifestHashes();
        // Still held: trouble met while reading goes after what was held, as it came.
        const auto wholePath = [this](std::size_t c) {
            return joinPath(sides_[candidates_[c].side - 1].base,
                            pathOf(pairs_[candidatePairs_[c]]));
        };
        matches = MoveFinder(files, *this, state, wholePath).find(candidates_);
        state.runInterrupted = state.abortRequested;
    }
    holding_ = false;
    handOn(matches, state);
    start(moves_, std::move(sides_[0]), std::move(sides_[1]));
}

void MovesHold::handOn(const std::vector<MoveMatch>& matches, RunState& state) {
    RunCounters merged; // what the moves took off the counts so far
    std::optional<std::size_t> block;
    for (const auto& event : events_) {
        switch (event.kind) {
        case Kind::Subdirectory:
            block = event.index; // written before its first pair still written
            continue;
        case Kind::ReadProblem:
            observer_.readProblem(texts_[event.index], event.errorCode);
            continue;
        case Kind::RecordedProblem:
            observer_.recordedProblem(texts_[event.index], texts_[event.index + 1],
                                      event.errorCode);
            continue;
        case Kind::Counted:
        case Kind::Recorded:
            break;
        }
        const bool counted = event.kind == Kind::Counted;
        const auto& held = pairs_[event.index];
        PairRecord facts = factsOf(event.index);
        std::string movedTo;
        std::string others;
        if (held.candidate != kNone) {
            const auto& match = matches[held.candidate];
            if (match.partner && candidates_[held.candidate].side == 2) {
                // Merged into the left file's line.
                merged.filesCompared += counted ? 1 : 0;
                merged.differentCount += counted ? 1 : 0;
                continue;
            }
            if (match.partner) {
                const auto& partner = pairs_[candidatePairs_[*match.partner]];
                movedTo = pathOf(partner);
                facts.result = CompareResult::Moved;
                facts.rightSize = partner.rightSize;
                facts.rightPath = movedTo;
                merged.differentCount += counted ? 1 : 0;
            }
            if (match.candidates) {
                for (const auto c : *match.candidates) {
                    others += pathOf(pairs_[candidatePairs_[c]]);
                    others += '\0';
                }
            }
            facts.moveCandidates = others;
        }
        if (counted) {
            RunCounters counters = held.counters;
            counters.filesCompared -= merged.filesCompared;
            counters.differentCount -= merged.differentCount;
            observer_.pairCounted(facts, counters);
            continue;
        }
        if (block) {
            record_.subdirectory(texts_[*block]);
            block.reset();
        }
        record_.pair(facts);
    }
    state.counters.filesCompared -= merged.filesCompared;
    state.counters.differentCount -= merged.differentCount;
}

} // namespace quorvel
