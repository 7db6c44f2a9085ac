#include "engine/RunHeadings.h"

#include "engine/RunRecord.h"

namespace quorvel {

void recordOptionHeadings(RunRecord& record, const CompareOptions& options, bool directories) {
    if (directories && options.filter != "*.*") {
        record.quotedHeading(QuotedKind::Filter, options.filter);
    }
    if (directories && !options.exclusions.empty()) {
        record.quotedHeading(QuotedKind::Exclusions, options.exclusions);
    }
    if (options.fast) {
        record.fastHeading();
    }
    record.blank();
}

} // namespace quorvel
