#include "support/TestRun.h"

#include "engine/RunDriver.h"

namespace quorvel::test {

TestRun::TestRun(RecordingView& view, Report& report, const LanguageStrings& strings,
                 FileAccess& files, std::string decimalSeparator)
    : view_(view), recorder_(report, strings, std::move(decimalSeparator)),
      run_(view, recorder_, files) {}

void TestRun::startComparison() {
    const auto request = view_.request();
    if (ComparisonRun::requestProblem(request)) {
        view_.calls.push_back("refused");
        return;
    }
    run_.begin(request);
    RunStages stages;
    stages.sumSizes = request.mode == CompareMode::DirectoryWithDirectory;
    stages.sized = view_.onDirectoryStatusShown;
    driveRun(run_, stages);
}

} // namespace quorvel::test
