#pragma once

#include "engine/CompareOptions.h"

namespace quorvel {

class RunRecord;

// The heading lines after the two compared sides: the filter and the exclusions where they
// apply (`directories`), the note of the fast mode, and the blank line that ends the heading.
void recordOptionHeadings(RunRecord& record, const CompareOptions& options, bool directories);

} // namespace quorvel
