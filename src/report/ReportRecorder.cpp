#include "report/ReportRecorder.h"

#include "lang/LanguageStrings.h"
#include "options/OptionTable.h"
#include "report/Report.h"
#include "report/ReportLineFormat.h"

namespace quorvel {

ReportRecorder::ReportRecorder(Report& report, const LanguageStrings& strings,
                               std::string decimalSeparator)
    : report_(report), strings_(strings), decimalSeparator_(std::move(decimalSeparator)) {}

void ReportRecorder::clear(const RunRequest& request) {
    report_.clear();
    report_.setRequest(request);
    mode_ = request.mode;
    options_ = request.options;
}

namespace {

MessageKey headingKey(HeadingKind kind) {
    switch (kind) {
    case HeadingKind::File:
        return MessageKey::hdrFileCompare;
    case HeadingKind::WithFile:
        return MessageKey::hdrWithFile;
    case HeadingKind::SomeFilesOf:
        return MessageKey::hdrSomeFilesOf;
    case HeadingKind::WithNamesakesOf:
        return MessageKey::hdrWithNamesakesOf;
    case HeadingKind::Directory:
        return MessageKey::hdrDirCompare;
    case HeadingKind::WithDirectory:
        return MessageKey::hdrWithDir;
    case HeadingKind::Manifest:
        return MessageKey::hdrManifestCompare;
    case HeadingKind::WithManifest:
        return MessageKey::hdrWithManifest;
    }
    return MessageKey::hdrDirCompare;
}

} // namespace

void ReportRecorder::heading(HeadingKind kind, std::string_view path) {
    std::string line(strings_.text(headingKey(kind)));
    line += ' ';
    line += reportSafe(path);
    report_.appendReportLine(line, ReportLineKind::Heading);
}

void ReportRecorder::quoted(std::string_view word, std::string_view value) {
    std::string line = "(";
    line += word;
    line += ":  ";
    line += reportSafe(value);
    line += ')';
    report_.appendReportLine(line, ReportLineKind::Heading);
}

void ReportRecorder::quotedHeading(QuotedKind kind, std::string_view value) {
    switch (kind) {
    case QuotedKind::ManifestTaken:
        quoted(strings_.text(MessageKey::txtManifestTaken), value);
        break;
    }
}

void ReportRecorder::optionHeadings() {
    // The quoted values first, then the options named by their caption alone, then the choices.
    for (const auto heading :
         {OptionHeading::QuotedValue, OptionHeading::Caption, OptionHeading::ChoiceCaption}) {
        for (const auto& row : kOptionTable) {
            if (row.heading != heading || !appliesTo(row, mode_) ||
                !differsFromDefault(row, options_)) {
                continue;
            }
            if (row.heading == OptionHeading::ChoiceCaption) {
                report_.appendReportLine(strings_.caption(chosen(row, options_).caption),
                                         ReportLineKind::Heading);
            } else if (heading == OptionHeading::QuotedValue) {
                quoted(strings_.caption(row.caption), options_.*row.patterns);
            } else {
                report_.appendReportLine(strings_.caption(row.caption), ReportLineKind::Heading);
            }
        }
    }
    blank();
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

void ReportRecorder::pair(const PairRecord& facts) {
    report_.appendPairLine(resultMark(facts.result), formatPairText(facts, strings_), facts);
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
