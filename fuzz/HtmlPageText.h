#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quorvel::fuzz {

// What a reader sees of one line of the page (lines end in CR LF): its text with the entities
// decoded, how that text is shown, and the line breaks and rules the line draws. The style is
// taken where the text starts and stays unset for a line without text.
struct PageLine {
    std::string text;
    bool title = false;
    bool heading = false;
    bool underlined = false;
    bool bold = false;
    bool red = false;
    int breaks = 0;
    int rules = 0;

    bool operator==(const PageLine&) const = default;
};

// The text with &quot; &amp; &lt; &gt; decoded; nothing when an "&" starts anything else.
std::optional<std::string> decodeEntities(std::string_view text);

// Reads a report page strictly: only the report writer's own tags, each opened before it is
// closed and never twice, and text without a bare " < > or stray "&". A page that breaks any of
// these ends the run through check().
std::vector<PageLine> readReportPage(std::string_view page);

} // namespace quorvel::fuzz
