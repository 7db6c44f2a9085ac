#include "report/Report.h"

namespace quorvel {

namespace {

std::int64_t storedSize(const std::optional<std::int64_t>& size) {
    return size.value_or(-1);
}

std::optional<std::int64_t> knownSize(std::int64_t size) {
    return size >= 0 ? std::optional<std::int64_t>(size) : std::nullopt;
}

} // namespace

void Report::clear() {
    lines_.clear();
    pairs_.clear();
    directories_.clear();
    ownNames_.clear();
    namings_.clear();
    request_ = RunRequest{};
    counters_ = RunCounters{};
    interrupted_ = false;
    ++revision_;
}

void Report::appendReportLine(std::string_view line, ReportLineKind kind) {
    lines_.push_back({std::string(line), kind, 0, kNone});
    ++revision_;
}

void Report::appendPairLine(std::string_view mark, std::string_view text, const PairRecord& pair) {
    // A run's pairs come directory by directory.
    if (directories_.empty() || directories_.back() != pair.directory) {
        directories_.emplace_back(pair.directory);
    }
    const auto index = static_cast<std::uint32_t>(pairs_.size());
    const bool shown = text.starts_with(pair.name);
    pairs_.push_back({storedSize(pair.leftSize), storedSize(pair.rightSize),
                      static_cast<std::uint32_t>(directories_.size() - 1),
                      shown ? static_cast<std::uint32_t>(pair.name.size()) : kNone, pair.errorCode,
                      pair.result});
    if (!shown) {
        ownNames_.emplace(index, std::string(pair.name));
    }
    if (!pair.rightPath.empty() || pair.nameSide != 0 || !pair.moveCandidates.empty()) {
        namings_.emplace(index, Naming{std::string(pair.rightPath), std::string(pair.collidesWith),
                                       pair.nameSide, pair.collidingSide,
                                       std::string(pair.moveCandidates)});
    }
    std::string line(mark);
    line += text;
    lines_.push_back(
        {std::move(line), ReportLineKind::Pair, static_cast<std::uint8_t>(mark.size()), index});
    ++revision_;
}

const std::string& Report::line(std::size_t index) const {
    static const std::string empty;
    return index < lines_.size() ? lines_[index].text : empty;
}

ReportLineKind Report::kind(std::size_t index) const {
    return index < lines_.size() ? lines_[index].kind : ReportLineKind::Blank;
}

std::optional<CompareResult> Report::result(std::size_t index) const {
    if (index >= lines_.size() || lines_[index].pair == kNone) {
        return std::nullopt;
    }
    return pairs_[lines_[index].pair].result;
}

std::optional<PairRecord> Report::pair(std::size_t index) const {
    if (index >= lines_.size() || lines_[index].pair == kNone) {
        return std::nullopt;
    }
    const Line& line = lines_[index];
    const PackedPair& stored = pairs_[line.pair];
    PairRecord pair;
    pair.directory = directories_[stored.directory];
    pair.name = stored.nameLength == kNone
                    ? std::string_view(ownNames_.at(line.pair))
                    : std::string_view(line.text).substr(line.markLength, stored.nameLength);
    pair.result = stored.result;
    pair.leftSize = knownSize(stored.leftSize);
    pair.rightSize = knownSize(stored.rightSize);
    pair.errorCode = stored.errorCode;
    if (const auto naming = namings_.find(line.pair); naming != namings_.end()) {
        pair.rightPath = naming->second.rightPath;
        pair.collidesWith = naming->second.collidesWith;
        pair.nameSide = naming->second.nameSide;
        pair.collidingSide = naming->second.collidingSide;
        pair.moveCandidates = naming->second.moveCandidates;
    }
    return pair;
}

std::string_view Report::unmarkedText(std::size_t index) const {
    if (index >= lines_.size()) {
        return {};
    }
    return std::string_view(lines_[index].text).substr(lines_[index].markLength);
}

} // namespace quorvel
