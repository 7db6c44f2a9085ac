#pragma once

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
};

constexpr bool countsAsEqual(CompareResult r) {
    return r == CompareResult::Equal || r == CompareResult::EqualMaybe;
}

} // namespace quorvel
