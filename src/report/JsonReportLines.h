#pragma once

#include "engine/PairRecord.h"
#include "engine/RunRequest.h"

#include <string>
#include <string_view>

namespace quorvel {

// The objects of the report for scripts (JSON Lines, docs/report-json.md), each a line of its own
// ending in "\n". Text that is not valid UTF-8 is shown with U+FFFD and carried whole, in base64,
// beside it under the same key with "_bytes" appended.
inline constexpr int kJsonReportFormat = 1;

// A stable word for a result: lower case, no blanks.
std::string_view resultWord(CompareResult result);

std::string jsonStartLine(const RunRequest& request);
// Appended to `text`, since a run has many.
void appendJsonPairLine(std::string& text, const PairRecord& pair);
// A file or directory that could not be read, as the run names it.
std::string jsonTroubleLine(std::string_view path, int errorCode);
// A path a manifest records as unreadable: `path` as recorded, with the manifest that says so.
std::string jsonRecordedTroubleLine(std::string_view manifest, std::string_view path,
                                    int errorCode);
std::string jsonSummaryLine(const RunCounters& counters, bool interrupted);

// The pair's path relative to the compared directories, "/" between names.
std::string pairPath(const PairRecord& pair);

} // namespace quorvel
