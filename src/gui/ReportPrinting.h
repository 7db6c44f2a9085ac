#pragma once

#include "report/Report.h"

#include <QColor>
#include <QFont>

class QPrinter;

namespace quorvel {

// Prints the report as one job titled "Quorvel": from the top-left of each page's printable area,
// with no margins of our own, long lines wrapped onto further rows, a new page when one is full.
// Returns false when the printer failed; the job is ended then.
bool printReport(const Report& report, const QFont& font, const QColor& color, QPrinter& printer);

} // namespace quorvel
