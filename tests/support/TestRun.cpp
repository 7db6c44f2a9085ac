#include "support/TestRun.h"

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
    if (request.mode == CompareMode::DirectoryWithDirectory) {
        run_.sumSizes();
        if (view_.onDirectoryStatusShown) {
            view_.onDirectoryStatusShown();
        }
    }
    run_.comparePairs();
    run_.end();
}

} // namespace quorvel::test
