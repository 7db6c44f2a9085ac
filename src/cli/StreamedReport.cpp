#include "cli/StreamedReport.h"

namespace quorvel {

StreamedReport::StreamedReport(const LanguageStrings& strings, std::string decimalSeparator,
                               StreamedOutput& output, std::string lineEnd, RunRecord* also)
    : recorder_(lines_, strings, std::move(decimalSeparator)), output_(output),
      lineEnd_(std::move(lineEnd)), also_(also) {}

template <class Entry>
void StreamedReport::record(const Entry& entry) {
    entry(recorder_);
    for (std::size_t i = 0; i < lines_.count(); ++i) {
        output_.write(lines_.line(i));
        output_.write(lineEnd_);
    }
    lines_.clear();
    if (also_ != nullptr) {
        entry(*also_);
    }
}

void StreamedReport::clear(const RunRequest& request) {
    record([&](RunRecord& r) { r.clear(request); });
}

void StreamedReport::heading(HeadingKind kind, std::string_view path) {
    record([&](RunRecord& r) { r.heading(kind, path); });
}

void StreamedReport::quotedHeading(QuotedKind kind, std::string_view value) {
    record([&](RunRecord& r) { r.quotedHeading(kind, value); });
}

void StreamedReport::optionHeadings() {
    record([](RunRecord& r) { r.optionHeadings(); });
}

void StreamedReport::blank() {
    record([](RunRecord& r) { r.blank(); });
}

void StreamedReport::subdirectory(std::string_view relativePath) {
    record([&](RunRecord& r) { r.subdirectory(relativePath); });
}

void StreamedReport::pair(const PairRecord& facts) {
    record([&](RunRecord& r) { r.pair(facts); });
}

void StreamedReport::status(bool interrupted) {
    record([&](RunRecord& r) { r.status(interrupted); });
}

void StreamedReport::summary(const RunCounters& counters, bool fast) {
    record([&](RunRecord& r) { r.summary(counters, fast); });
}

} // namespace quorvel
