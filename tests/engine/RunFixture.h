#pragma once

#include "engine/ComparisonRun.h"
#include "engine/PosixFileAccess.h"
#include "engine/Report.h"
#include "lang/LanguageStrings.h"
#include "support/RecordingView.h"
#include "support/TempTree.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace quorvel::test {

// A run against real files in a temporary tree, watched through a recording window.
class RunFixture : public ::testing::Test {
protected:
    RunFixture() {
        strings.fillFrom(kEnglish);
        view.left = tree.path("L");
        view.right = tree.path("R");
        tree.mkdir("L");
        tree.mkdir("R");
    }

    std::vector<std::string> lines() const {
        std::vector<std::string> all;
        for (std::size_t i = 0; i < report.count(); ++i) {
            all.push_back(report.line(i));
        }
        return all;
    }

    // The report from its first blank line on (after the headings).
    std::vector<std::string> body() const {
        auto all = lines();
        const auto blank = std::find(all.begin(), all.end(), std::string());
        return {blank, all.end()};
    }

    TempTree tree;
    RecordingView view;
    Report report;
    LanguageStrings strings;
    PosixFileAccess files;
    ComparisonRun run{view, report, strings, files, "."};
};

} // namespace quorvel::test
