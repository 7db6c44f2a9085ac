#pragma once

#include "report/AtomicFileWriter.h"
#include "report/Report.h"

#include <string>

namespace quorvel {

// Every report line followed by CR LF; nothing else.
std::string formatReportText(const Report& report);

// Replaces `path` with the text format. Throws FileWriteError.
void writeReportText(const Report& report, const std::string& path,
                     const AtomicFileWriter& writer = AtomicFileWriter());

} // namespace quorvel
