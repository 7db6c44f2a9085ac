#pragma once

#include "engine/MoveFinder.h"
#include "engine/RunObserver.h"
#include "engine/RunRecord.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

namespace quorvel {

class FileAccess;
struct Manifest;

// One side of a run as the search for moves reads it: a tree's directory, or a manifest.
struct MoveSide {
    std::string base;
    const Manifest* manifest = nullptr;
};

// Stands between a run and its record and observer. Where moves are asked for it holds back
// what the run writes and tells from the first file on one side only on, since whether such a
// file moved is known only once both sides are walked; then it matches those files, and writes
// and tells what it held in the same order, a moved file's two lines made one. Otherwise it
// hands everything on at once.
class MovesHold : public RunRecord, public RunObserver {
public:
    MovesHold(RunObserver& observer, RunRecord& record);

    // For a run that looks for moves or not; empties what the last run held.
    void start(bool moves, MoveSide left, MoveSide right);
    // After the pairs: the moves matched and what was held written; the counters lose the files
    // that were merged as moved. Nothing is matched in a run that was stopped.
    void finish(FileAccess& files, RunState& state);

    void clear(const RunRequest& request) override { record_.clear(request); }
    void heading(HeadingKind kind, std::string_view path) override { record_.heading(kind, path); }
    void quotedHeading(QuotedKind kind, std::string_view value) override {
        record_.quotedHeading(kind, value);
    }
    void optionHeadings() override { record_.optionHeadings(); }
    void blank() override { record_.blank(); }
    void subdirectory(std::string_view relativePath) override;
    void pair(const PairRecord& facts) override;
    void status(bool interrupted) override { record_.status(interrupted); }
    void summary(const RunCounters& counters, bool fast) override {
        record_.summary(counters, fast);
    }

    void runStarted() override { observer_.runStarted(); }
    void runEnded(bool interrupted) override { observer_.runEnded(interrupted); }
    void directoryBegun(std::string_view relativePath) override {
        observer_.directoryBegun(relativePath);
    }
    void pairBegun(std::string_view name) override { observer_.pairBegun(name); }
    void bytesCompared(const RunBytes& bytes) override { observer_.bytesCompared(bytes); }
    void pairCounted(const PairRecord& pair, const RunCounters& counters) override;
    void readProblem(std::string_view path, int errorCode) override;
    void recordedProblem(std::string_view manifest, std::string_view path, int errorCode) override;
    bool mayGoOn() override { return observer_.mayGoOn(); }

private:
    // A pair held with its own copy of its name, in few bytes: a run may hold millions.
    struct HeldPair {
        std::string name;
        std::int64_t leftSize = -1; // -1 when not known
        std::int64_t rightSize = -1;
        RunCounters counters;            // as the run counted when it was counted
        std::uint32_t directory = 0;     // into directories_
        std::uint32_t candidate = kNone; // its place among the candidates, if it is one
        std::int32_t errorCode = 0;
        CompareResult result = CompareResult::Equal;
        std::uint8_t changedSide = 0;
        std::uint8_t nameSide = 0;
        std::uint8_t collidingSide = 0;
        bool recorded = false;
    };
    // What few pairs have: a right path spelt otherwise, the names a collision meets.
    struct Naming {
        std::string rightPath;
        std::string collidesWith;
    };
    static constexpr std::uint32_t kNone = UINT32_MAX;
    enum class Kind { Counted, Recorded, Subdirectory, ReadProblem, RecordedProblem };
    struct Event {
        Kind kind;
        std::size_t index; // into pairs_ or texts_
        int errorCode = 0;
    };

    std::size_t hold(const PairRecord& facts);
    // The pair as it was handed over; its views valid while this holds it.
    PairRecord factsOf(std::size_t pair) const;
    // The relative path a held pair names, as a line for scripts shows it.
    std::string pathOf(const HeldPair& held) const;
    void addCandidate(std::size_t pair, int side);
    void matchManifestHashes();
    void handOn(const std::vector<MoveMatch>& matches, RunState& state);

    RunObserver& observer_;
    RunRecord& record_;
    bool moves_ = false;
    bool holding_ = false;
    MoveSide sides_[2];
    std::vector<HeldPair> pairs_;
    std::vector<std::string> directories_;
    std::unordered_map<std::size_t, Naming> namings_; // by pair
    std::vector<std::string> texts_;
    std::vector<Event> events_;
    std::vector<MoveCandidate> candidates_;
    std::vector<std::size_t> candidatePairs_; // the held pair of each candidate
};

} // namespace quorvel
