#pragma once

#include "engine/PairRecord.h"

#include <string>
#include <string_view>

namespace quorvel {

class LanguageStrings;

// The line above and below a subdirectory's name in a report, and the mark before a pair that
// differs. Writers know such lines by their kind, not by these texts: a name may hold them too.
inline constexpr std::string_view kBlockRule = "________________________";
inline constexpr std::string_view kDifferenceMark = ">>>> ";

// The text with every byte below 0x20 written as "?", so that a name cannot break a report line.
std::string reportSafe(std::string_view text);

// The mark of a pair's line: ">>>> " unless the pair counts as equal.
std::string_view resultMark(CompareResult result);
// A pair's line after its mark: "name: result text", "left -> right: result text" where the right
// name is spelt otherwise, and a collision's names after its text.
std::string formatPairText(const PairRecord& pair, const LanguageStrings& strings);
// "name: result text", the pair's line after its mark.
std::string formatResultText(std::string_view name, CompareResult result,
                             const LanguageStrings& strings);

// The two summary lines: the count of pairs with the bytes compared, and equal and different.
std::string formatCountLine(const RunCounters& counters, const LanguageStrings& strings,
                            std::string_view decimalSeparator);
std::string formatEqualLine(const RunCounters& counters, bool fast, const LanguageStrings& strings);

// Over 1048576 bytes in MB, else in KB; two decimals rounded half away from zero.
std::string formatByteSize(double bytes, std::string_view decimalSeparator);

// A time as "m:ss", or "h:mm:ss" from an hour on; whole seconds rounded up.
std::string formatDuration(double seconds);

// The decimal separator of the locale in force for numbers (after setlocale(LC_ALL, "")).
std::string localeDecimalSeparator();

} // namespace quorvel
