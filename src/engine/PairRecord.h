#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace quorvel {

// The outcome of one file pair; the numbering follows the order of the result texts.
enum class CompareResult : int {
    Equal = 0,
    NotFoundIn2nd = 1,
    ErrorReading1st = 2,
    DifferentContents = 3,
    FirstTruncated = 4,
    SecondTruncated = 5,
    Interrupted = 6,
    EqualMaybe = 7,
    DifferentSize = 8,
    NotFoundIn1st = 9, // a file only on the right, listed when both sides are asked for
    // Names matched across spellings: one of several names sharing a key, paired with none.
    NameCollision = 10,
    // A file only on the left whose contents are those of a file only on the right.
    Moved = 11,
    // Containment: the left file's contents are somewhere in the right tree, or nowhere.
    Present = 12,
    Missing = 13,
};

// Moved and present files count as equal: their contents are safe.
constexpr bool countsAsEqual(CompareResult r) {
    return r == CompareResult::Equal || r == CompareResult::EqualMaybe ||
           r == CompareResult::Moved || r == CompareResult::Present;
}

// A reason of our own beside the system's errno values, which stay far below it: the file's
// size or times moved while it was read, so what was read vouches for no moment of it.
inline constexpr int kChangedWhileRead = 1000;

// A name that is there but is no regular file (a directory, a FIFO, a device): a difference of
// kind, which no read was tried on.
inline constexpr int kNotARegularFile = 1001;

// The reason of one of our own codes, in English as the system's are; nothing for an errno value.
inline const char* ownReasonText(int code) {
    switch (code) {
    case kChangedWhileRead:
        return "changed while it was read";
    case kNotARegularFile:
        return "not a regular file";
    default:
        return nullptr;
    }
}

// One file pair as a run found it: the comparison fills in the outcome, the walk names the pair,
// the report keeps it and every writer reads it. The names are views: valid during the call that
// hands the record on, or, for a record read from a report, while the report is unchanged.
struct PairRecord {
    std::string_view directory; // relative to the compared directories, "" at the top
    // As the line shows it: for a directory that could not be read, its relative path and "/".
    std::string_view name;
    CompareResult result = CompareResult::Equal;
    std::optional<std::int64_t> leftSize;
    std::optional<std::int64_t> rightSize;
    int errorCode = 0; // the system's reason when a side could not be read
    // A side whose size or times moved while it was read (1 the left, 2 the right), told as a
    // read problem only when it moves again in the comparison made once more.
    int changedSide = 0;
    // The right file's relative path where it is not the left's: spelt otherwise where names are
    // matched across spellings, where the file moved to, where its contents are present.
    std::string_view rightPath{};
    // A name collision: the side whose name the record names (1 the left, 2 the right), the
    // names it collides with ("/" between them, as no name holds one) and their side.
    int nameSide = 0;
    std::string_view collidesWith{};
    int collidingSide = 0;
    // A file on one side only whose contents several files on the other side hold, so that it
    // was matched as moved with none: their relative paths, a NUL after each.
    std::string_view moveCandidates{};
};

// What a run counted of its pairs.
struct RunCounters {
    std::int32_t filesCompared = 0;
    std::int32_t differentCount = 0;
    double bytesCompared = 0;
};

} // namespace quorvel
