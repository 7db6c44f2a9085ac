#include "support/EngineFixture.h"

#include <algorithm>

namespace quorvel::test {

EngineFixture::EngineFixture(PosixFileAccess::ReadAheadMode readAhead) : files(readAhead) {
    strings.fillFrom(kEnglish);
    tree.mkdir("L");
    tree.mkdir("R");
    request.left = tree.path("L");
    request.right = tree.path("R");
    request.options.onlyDifferent = false;
}

std::vector<std::string> EngineFixture::lines() const {
    std::vector<std::string> all;
    for (std::size_t i = 0; i < report.count(); ++i) {
        all.push_back(report.line(i));
    }
    return all;
}

std::vector<std::string> EngineFixture::runBody() {
    run.run();
    return body();
}

std::vector<std::string> EngineFixture::body() const {
    auto all = lines();
    const auto blank = std::find(all.begin(), all.end(), std::string());
    return {blank, all.end()};
}

std::vector<std::string> EngineFixture::runFiles(const std::string& first,
                                                 const std::string& second) {
    const auto firstSlash = first.rfind('/');
    const auto secondSlash = second.rfind('/');
    request.mode = CompareMode::FileWithFile;
    request.left = first.substr(0, firstSlash);
    request.leftSelection = {first.substr(firstSlash + 1)};
    request.right = second.substr(0, secondSlash);
    request.rightSelection = second.substr(secondSlash + 1);
    return runBody();
}

void EngineFixture::expectNothingLeftOpen() {
    EXPECT_EQ(files.descriptorsLeftOpen(), 0);
}

void EngineFixture::expectProgressWithinBounds() const {
    for (const int position : observer.progressPositions) {
        EXPECT_GE(position, 0);
        EXPECT_LE(position, 100);
    }
    // File statuses end in "  N%" while a pair is read.
    for (const auto& status : observer.fileStatuses) {
        if (status.empty() || status.back() != '%') {
            continue;
        }
        const auto blank = status.rfind(' ');
        ASSERT_NE(blank, std::string::npos) << status;
        const int percent = std::stoi(status.substr(blank + 1));
        EXPECT_GE(percent, 0) << status;
        EXPECT_LE(percent, 100) << status;
    }
    EXPECT_GE(run.state().progress.currentFileDone, 0);
    EXPECT_GE(run.state().counters.bytesCompared, 0);
}

} // namespace quorvel::test
