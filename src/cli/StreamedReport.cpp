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

void StreamedReport::heading(MessageKey key, std::string_view path) {
    record([&](RunRecord& r) { r.heading(key, path); });
}

void StreamedReport::optionHeading(std::string_view word, std::string_view value) {
    record([&](RunRecord& r) { r.optionHeading(word, value); });
}

void StreamedReport::fastHeading(std::string_view note) {
    record([&](RunRecord& r) { r.fastHeading(note); });
}

void StreamedReport::blank() {
    record([](RunRecord& r) { r.blank(); });
}

void StreamedReport::subdirectory(std::string_view relativePath) {
    record([&](RunRecord& r) { r.subdirectory(relativePath); });
}

void StreamedReport::pair(const PairFacts& facts) {
    record([&](RunRecord& r) { r.pair(facts); });
}

void StreamedReport::status(bool interrupted) {
    record([&](RunRecord& r) { r.status(interrupted); });
}

void StreamedReport::summary(const RunCounters& counters, bool fast) {
    record([&](RunRecord& r) { r.summary(counters, fast); });
}

} // namespace quorvel
