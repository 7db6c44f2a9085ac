#pragma once

#include <cstdint>

namespace quorvel {

// What a report line is, as the run that appended it knew: writers style a line by its kind,
// never by its text, since a file's name may look like any other line.
enum class ReportLineKind : std::uint8_t {
    Text, // appended as plain text by a caller that did not say
    Heading,
    Blank,
    SubdirectoryRule,
    SubdirectoryName,
    Pair, // with the pair's result
    Status,
    Summary,
};

} // namespace quorvel
