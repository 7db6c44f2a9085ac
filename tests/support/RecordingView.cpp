#include "support/RecordingView.h"

namespace quorvel::test {

namespace {

std::string onOff(bool b) {
    return b ? "1" : "0";
}

} // namespace

CompareMode RecordingView::compareMode() {
    calls.push_back("compareMode");
    return mode;
}
std::string RecordingView::leftDirectory() {
    calls.push_back("leftDirectory");
    return left;
}
std::string RecordingView::rightDirectory() {
    calls.push_back("rightDirectory");
    return right;
}
std::vector<std::string> RecordingView::selectedLeftFiles() {
    calls.push_back("selectedLeftFiles");
    return leftSelection;
}
std::optional<std::string> RecordingView::selectedRightFile() {
    calls.push_back("selectedRightFile");
    return rightSelection;
}
CompareOptions RecordingView::compareOptions() {
    calls.push_back("compareOptions");
    return options;
}
void RecordingView::setControlsEnabled(bool enabled) {
    calls.push_back("controlsEnabled " + onOff(enabled));
}
void RecordingView::setSideCaptionsVisible(bool visible) {
    calls.push_back("sideCaptions " + onOff(visible));
}
void RecordingView::setProgressVisible(bool visible) {
    progressShown = visible;
    calls.push_back("progressVisible " + onOff(visible));
}
void RecordingView::setProgress(int percent) {
    progressPositions.push_back(percent);
}
void RecordingView::setAbortVisible(bool visible) {
    calls.push_back("abort " + onOff(visible));
}
void RecordingView::setFileStatus(std::string_view text) {
    fileStatuses.emplace_back(text);
}
void RecordingView::setFileStatusVisible(bool visible) {
    calls.push_back("fileStatus " + onOff(visible));
}
void RecordingView::setDirectoryStatus(std::string_view text) {
    calls.push_back("dirStatus " + std::string(text));
}
void RecordingView::setDirectoryStatusVisible(bool visible) {
    calls.push_back("dirStatusVisible " + onOff(visible));
    if (visible && onDirectoryStatusShown) {
        onDirectoryStatusShown();
    }
}
void RecordingView::setGuidance(std::string_view line1, std::string_view line2) {
    calls.push_back("guidance " + std::string(line1) + " | " + std::string(line2));
}
void RecordingView::processEvents() {
    ++processEventsCount;
    if (onProcessEvents) {
        onProcessEvents(processEventsCount);
    }
}
void RecordingView::showError(std::string_view text, std::string_view caption) {
    calls.push_back("error " + std::string(caption) + ": " + std::string(text));
}
bool RecordingView::askYesNo(std::string_view text, std::string_view caption, Icon icon) {
    calls.push_back("ask " + std::string(caption) + (icon == Icon::Stop ? " stop: " : " info: ") +
                    std::string(text));
    return answerYes;
}
void RecordingView::showReport() {
    calls.push_back("showReport");
}

} // namespace quorvel::test
