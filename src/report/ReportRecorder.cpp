#include "report/ReportRecorder.h"

#include "lang/LanguageStrings.h"
#include "report/Report.h"
#include "report/ReportLineFormat.h"

namespace quorvel {

ReportRecorder::ReportRecorder(Report& report, const LanguageStrings& strings,
                               std::string decimalSeparator)
    : report_(report), strings_(strings), decimalSeparator_(std::move(decimalSeparator)) {}

void ReportRecorder::clear(const RunRequest& request) {
    report_.clear();
    report_.setRequest(request);
}

void ReportRecorder::heading(MessageKey key, std::string_view path) {
    std::string line(strings_.text(key));
    line += ' ';
    line += reportSafe(path);
    report_.appendReportLine(line, ReportLineKind::Heading);
}

void ReportRecorder::optionHeading(std::string_view word, std::string_view value) {
    std::string line = "(";
    line += word;
    line += ":  ";
    line += reportSafe(value);
    line += ')';
    report_.appendReportLine(line, ReportLineKind::Heading);
}

void ReportRecorder::fastHeading(std::string_view note) {
    report_.appendReportLine(note, ReportLineKind::Heading);
}

void ReportRecorder::blank() {
    report_.appendReportLine("", ReportLineKind::Blank);
}

void ReportRecorder::subdirectory(std::string_view relativePath) {
    report_.appendReportLine(kBlockRule, ReportLineKind::SubdirectoryRule);
    report_.appendReportLine("SUBDIR: " + reportSafe(relativePath),
                             ReportLineKind::SubdirectoryName);
    report_.appendReportLine(kBlockRule, ReportLineKind::SubdirectoryRule);
}

void ReportRecorder::pair(const PairFacts& facts) {
    report_.appendPairLine(resultMark(facts.result),
                           formatResultText(facts.name, facts.result, strings_),
                           {std::string(facts.directory), std::string(facts.name), facts.result,
                            facts.leftSize, facts.rightSize, facts.errorCode});
}

void ReportRecorder::status(bool interrupted) {
    report_.setInterrupted(interrupted);
    report_.appendReportLine(
        strings_.text(interrupted ? MessageKey::msgRunInterrupted : MessageKey::msgRunFinished),
        ReportLineKind::Status);
}

void ReportRecorder::summary(const RunCounters& counters, bool fast) {
    report_.setCounters(counters);
    report_.appendReportLine(formatCountLine(counters, strings_, decimalSeparator_),
                             ReportLineKind::Summary);
    report_.appendReportLine(formatEqualLine(counters, fast, strings_), ReportLineKind::Summary);
}

} // namespace quorvel
