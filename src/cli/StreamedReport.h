#pragma once

#include "cli/StreamedOutput.h"
#include "engine/RunRecord.h"
#include "report/Report.h"
#include "report/ReportRecorder.h"

#include <string>

namespace quorvel {

class LanguageStrings;

// The report worded entry by entry and written out at once, each line followed by `lineEnd`, so
// that its memory does not grow with the tree; `also` gets every entry too, for a report kept
// whole (the files to save), or is null.
class StreamedReport : public RunRecord {
public:
    StreamedReport(const LanguageStrings& strings, std::string decimalSeparator,
                   StreamedOutput& output, std::string lineEnd, RunRecord* also);

    void clear(const RunRequest& request) override;
    void heading(HeadingKind kind, std::string_view path) override;
    void quotedHeading(QuotedKind kind, std::string_view value) override;
    void optionHeadings() override;
    void blank() override;
    void subdirectory(std::string_view relativePath) override;
    void pair(const PairRecord& facts) override;
    void status(bool interrupted) override;
    void summary(const RunCounters& counters, bool fast) override;

private:
    // Words the entry, writes its lines out and lets them go, and passes it on.
    template <class Entry>
    void record(const Entry& entry);

    Report lines_;
    ReportRecorder recorder_;
    StreamedOutput& output_;
    std::string lineEnd_;
    RunRecord* also_;
};

} // namespace quorvel
