#pragma once

#include "fuzz/HtmlPageText.h"

#include <string>
#include <string_view>
#include <vector>

namespace quorvel::fuzz {

// The page lines a reader should see for these report lines, from the page rules alone: the
// heading lines centred up to the first empty line; then an empty line draws a rule, a line of
// exactly 24 underscores followed by two more lines starts a subdirectory block whose next line
// is shown underlined (the block's three lines in all), a line starting with ">>>> " is shown in
// bold red without that mark and the blanks after it, and any other line is shown as it is; the
// date closes the page. Bytes that are not valid UTF-8 show as U+FFFD.
std::vector<PageLine> expectedPageText(const std::vector<std::string>& reportLines,
                                       std::string_view title, std::string_view dateTime);

} // namespace quorvel::fuzz
