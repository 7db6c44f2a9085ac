#pragma once

#include "report/AtomicFileWriter.h"
#include "report/Report.h"

#include <string>

namespace quorvel {

// The report for scripts from a report's own facts: the start, the pairs its lines list (with
// "only different" the equal ones are not among them) and the summary of the whole run.
std::string formatReportJson(const Report& report);

// Replaces `path` with that format. Throws FileWriteError.
void writeReportJson(const Report& report, const std::string& path,
                     const AtomicFileWriter& writer = AtomicFileWriter());

} // namespace quorvel
