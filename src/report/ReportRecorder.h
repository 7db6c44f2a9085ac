#pragma once

#include "engine/RunRecord.h"

#include <string>

namespace quorvel {

class LanguageStrings;
class Report;

// Writes a run's entries into a report, each line worded when it is appended, in the language in
// force then: a report made earlier keeps its language.
class ReportRecorder : public RunRecord {
public:
    ReportRecorder(Report& report, const LanguageStrings& strings, std::string decimalSeparator);

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
    void quoted(std::string_view word, std::string_view value);

    Report& report_;
    const LanguageStrings& strings_;
    std::string decimalSeparator_;
    // What the option headings name, kept apart from the report, which a streamed run empties.
    CompareMode mode_ = CompareMode::None;
    CompareOptions options_;
};

} // namespace quorvel
