#include "engine/RunHeadings.h"

#include "engine/RunRecord.h"

namespace quorvel {

void recordOptionHeadings(RunRecord& record, const RunRequest& request,
                          const CompareOptions& options, bool directories) {
    if (directories && options.filter != "*.*") {
        record.optionHeading(request.filterWord, options.filter);
    }
    if (directories && !options.exclusions.empty()) {
        record.optionHeading(request.excludeWord, options.exclusions);
    }
    if (options.fast) {
        record.fastHeading(request.fastNote);
    }
    record.blank();
}

} // namespace quorvel
