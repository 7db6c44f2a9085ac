#include "support/TestRun.h"

#include "engine/RunDriver.h"

namespace quorvel::test {

TestRun::TestRun(const RequestBuilder& request, RecordingObserver& observer, Report& report,
                 const LanguageStrings& strings, FileAccess& files, std::string decimalSeparator)
    : request_(request), observer_(observer),
      recorder_(report, strings, std::move(decimalSeparator)), run_(observer, recorder_, files) {}

void TestRun::run() {
    const RunRequest request = request_.build();
    if (ComparisonRun::requestProblem(request)) {
        observer_.calls.push_back("refused");
        return;
    }
    observer_.showsProgress = request.mode == CompareMode::DirectoryWithDirectory;
    run_.begin(request);
    RunStages stages;
    stages.sumSizes = request.mode == CompareMode::DirectoryWithDirectory;
    stages.sized = observer_.onDirectoryStatusShown;
    driveRun(run_, stages);
}

} // namespace quorvel::test
