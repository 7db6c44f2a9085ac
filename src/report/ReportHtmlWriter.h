#pragma once

#include "lang/LanguageStrings.h"
#include "report/AtomicFileWriter.h"
#include "report/Report.h"

#include <ctime>
#include <string>
#include <string_view>

namespace quorvel {

// The report as an HTML page: the heading lines centred, subdirectory blocks underlined,
// differing pairs in bold red, blank lines as rules, and `dateTime` at the end. The title is
// written as it is; report lines and the date are escaped.
std::string formatReportHtml(const Report& report, std::string_view title,
                             std::string_view dateTime);

// Replaces `path` with the page, titled with txtReportTitle of `strings` and dated `now` in the
// locale's formats. Throws FileWriteError.
void writeReportHtml(const Report& report, const std::string& path, const LanguageStrings& strings,
                     std::time_t now, const AtomicFileWriter& writer = AtomicFileWriter());

} // namespace quorvel
