#include "gui/WindowFixture.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTimer>
#include <QToolButton>

#include <functional>
#include <set>
#include <stdexcept>

namespace quorvel::test {
namespace {

using Kind = RecordingDialogs::Box::Kind;

// Two directories side by side, the left one the working directory, in English.
class RunTest : public WindowFixture {
protected:
    void SetUp() override {
        tree_.write("work/a.txt", "same");
        tree_.write("work/b.txt", "left");
        tree_.write("work/c.txt", "only left");
        tree_.write("right/a.txt", "same");
        tree_.write("right/b.txt", "right");
        writeSettings("\"Language\"=dword:00000001\n\"CompDir2\"=\"" +
                      QByteArray::fromStdString(tree_.path("right")) + "\"\n");
        makeWindow();
        showAndActivate();
    }

    bool enabled(MainControl control) const { return child(control)->isEnabled(); }

    void expectIdle() const {
        for (const MainControl name : {MainControl::LeftPanel, MainControl::RightPanel,
                                       MainControl::Toolbar, MainControl::GeneralOptions}) {
            EXPECT_TRUE(enabled(name)) << name;
        }
        EXPECT_FALSE(shown(MainControl::Abort));
        EXPECT_FALSE(shown(MainControl::ProgressBar));
        EXPECT_FALSE(shown(MainControl::FileStatus));
        EXPECT_FALSE(shown(MainControl::DirectoryStatus));
        EXPECT_TRUE(shown(MainControl::LeftHeading));
        EXPECT_TRUE(shown(MainControl::RightHeading));
        EXPECT_FALSE(window_->isRunning());
    }
};

TEST_F(RunTest, AFileRunAsksWhileTheWindowStillRunsAndShowsTheReportBeforeItIsIdle) {
    clickMode(CompareMode::FileWithFile);
    selectRows(MainControl::LeftFiles, {1});
    selectRows(MainControl::RightFiles, {0});
    dialogs_.answerYes = true;
    bool runningWhileAsked = false;
    dialogs_.whileAsking = [&] {
        runningWhileAsked = !enabled(MainControl::LeftPanel) && !enabled(MainControl::Toolbar) &&
                            !enabled(MainControl::GeneralOptions);
    };
    bool runningWhileShown = false;
    reportDisplay_.whileShown = [&] { runningWhileShown = !enabled(MainControl::RightPanel); };
    click(MainControl::Start);
    EXPECT_TRUE(runningWhileAsked);
    EXPECT_TRUE(runningWhileShown);
    EXPECT_EQ(reportDisplay_.shown, 1);
    const auto lines = reportLines();
    ASSERT_EQ(lines.size(), 8U);
    EXPECT_EQ(lines[0], "Comparison of file " + tree_.path("work/b.txt"));
    EXPECT_EQ(lines[1], "with file " + tree_.path("right/a.txt"));
    EXPECT_EQ(lines[3], ">>>> b.txt: different contents!");
    ASSERT_EQ(dialogs_.boxes.size(), 1U);
    EXPECT_EQ(dialogs_.boxes[0].text,
              QStringLiteral("Comparison Terminated. Do you want to view the files report?"));
    EXPECT_EQ(dialogs_.boxes[0].caption, QStringLiteral("Message"));
    EXPECT_EQ(dialogs_.boxes[0].icon, QMessageBox::Information);
    // The guidance keeps the run's counts.
    EXPECT_EQ(label(MainControl::SecondGuidance), QStringLiteral("Equal: 0;   different: 1"));
    expectIdle();
}

TEST_F(RunTest, AMultiFileRunComparesTheChosenFilesInListOrder) {
    clickMode(CompareMode::FilesWithDirectory);
    selectRows(MainControl::LeftFiles, {2, 0});
    click(MainControl::Start);
    const auto lines = reportLines();
    ASSERT_GE(lines.size(), 5U);
    EXPECT_EQ(lines[0], "Comparison of some files from " + work());
    EXPECT_EQ(lines[3], "a.txt: equal.");
    EXPECT_EQ(lines[4], ">>>> c.txt: not found in 2nd directory!");
    EXPECT_EQ(reportDisplay_.shown, 0);
    expectIdle();
}

TEST_F(RunTest, ADirectoryRunShowsItsStatusAndTheProgressBarInPlaceOfTheCaptions) {
    clickMode(CompareMode::DirectoryWithDirectory);
    bool progressWhileAsked = false;
    int percentWhileAsked = -1;
    dialogs_.whileAsking = [&] {
        progressWhileAsked = shown(MainControl::ProgressBar) && !shown(MainControl::LeftHeading) &&
                             !shown(MainControl::RightHeading);
        percentWhileAsked = child<QProgressBar>(MainControl::ProgressBar)->value();
    };
    // The status line as it was painted whenever the run let the window take input.
    QStringList statuses;
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        if (statuses.isEmpty() || statuses.back() != label(MainControl::FileStatus)) {
            statuses << label(MainControl::FileStatus);
        }
    });
    watch.start(0);
    click(MainControl::Start);
    watch.stop();
    EXPECT_TRUE(statuses.contains(QString::fromUtf8(strings_.text(MessageKey::txtComputingTotal))))
        << statuses.join(QLatin1Char('|')).toStdString();
    EXPECT_TRUE(progressWhileAsked);
    EXPECT_EQ(percentWhileAsked, 100);
    const auto lines = reportLines();
    EXPECT_EQ(lines[0], "Comparison of directory " + work());
    EXPECT_EQ(lines[1], "with directory " + tree_.path("right"));
    EXPECT_EQ(lines.back(), "Equal: 1;   different: 2");
    expectIdle();
}

TEST_F(RunTest, TheOptionsChosenInTheWindowDecideTheDirectoryRun) {
    tree_.write("work/e.dat", "abc");
    tree_.write("right/e.dat", "xyz");
    tree_.write("work/sub/a.txt", "one");
    tree_.write("right/sub/a.txt", "two");
    clickMode(CompareMode::DirectoryWithDirectory);
    child<QCheckBox>(MainControl::FastCompare)->setChecked(true);
    child<QCheckBox>(MainControl::Recurse)->setChecked(false);
    child<QCheckBox>(MainControl::OnlyDifferent)->setChecked(false);
    child<QLineEdit>(MainControl::Filter)->setText(QStringLiteral("*.dat;a*"));
    click(MainControl::Start);
    const std::vector<std::string> expected{"Comparison of directory " + work(),
                                            "with directory " + tree_.path("right"),
                                            "(filter:  *.dat;a*)",
                                            "Fast comparison (compares only size)",
                                            "",
                                            "e.dat: equal (maybe...).",
                                            "a.txt: equal (maybe...).",
                                            "",
                                            "Comparison terminated.",
                                            "Compared 2 file(s);  0.01 KB",
                                            "Equal (maybe...): 2;   different: 0"};
    EXPECT_EQ(reportLines(), expected);
}

TEST_F(RunTest, BothSidesAndExclusionsChosenInTheWindowReachTheRun) {
    tree_.write("right/only.txt", "1");
    tree_.write("right/skip.bak", "1");
    clickMode(CompareMode::DirectoryWithDirectory);
    child<QCheckBox>(MainControl::BothSides)->setChecked(true);
    child<QLineEdit>(MainControl::Exclusions)->setText(QStringLiteral("*.bak"));
    click(MainControl::Start);
    const auto lines = reportLines();
    EXPECT_EQ(lines.at(2), "(exclude:  *.bak)");
    EXPECT_NE(std::find(lines.begin(), lines.end(), ">>>> only.txt: not found in 1st directory!"),
              lines.end());
    clickMode(CompareMode::FileWithFile);
    EXPECT_FALSE(child<QCheckBox>(MainControl::BothSides)->isVisibleTo(window_.get()));
}

TEST_F(RunTest, MovesAreLookedForOnlyWhenTheirBoxIsChecked) {
    tree_.write("work/old.txt", "moved");
    tree_.write("right/new.txt", "moved");
    clickMode(CompareMode::DirectoryWithDirectory);
    const auto shows = [this](const char* line) {
        const auto lines = reportLines();
        return std::find(lines.begin(), lines.end(), line) != lines.end();
    };
    click(MainControl::Start);
    EXPECT_TRUE(shows(">>>> old.txt: not found in 2nd directory!"));
    child<QCheckBox>(MainControl::Moves)->setChecked(true);
    click(MainControl::Start);
    EXPECT_EQ(reportLines().at(2), "Find moved files");
    EXPECT_TRUE(shows("old.txt: moved to new.txt."));
    clickMode(CompareMode::FilesWithDirectory);
    EXPECT_FALSE(child<QCheckBox>(MainControl::Moves)->isVisibleTo(window_.get()));
}

TEST_F(RunTest, TheNameRuleChosenInTheWindowReachesTheRunInBothDirectoryModes) {
    tree_.write("work/Photo.JPG", "1");
    tree_.write("right/photo.jpg", "1");
    clickMode(CompareMode::DirectoryWithDirectory);
    child<QCheckBox>(MainControl::OnlyDifferent)->setChecked(false);
    auto* names = child<QComboBox>(MainControl::Names);
    ASSERT_EQ(names->count(), 4);
    EXPECT_EQ(names->currentIndex(), 0) << "exact by default";
    names->setCurrentIndex(1);
    click(MainControl::Start);
    const auto lines = reportLines();
    EXPECT_EQ(lines.at(2), "Names match regardless of letter case");
    EXPECT_NE(std::find(lines.begin(), lines.end(), "Photo.JPG -> photo.jpg: equal."), lines.end());
    clickMode(CompareMode::FilesWithDirectory);
    EXPECT_TRUE(names->isVisibleTo(window_.get()));
    clickMode(CompareMode::FileWithFile);
    EXPECT_FALSE(names->isVisibleTo(window_.get()));
    EXPECT_FALSE(child<QLabel>(MainControl::NamesCaption)->isVisibleTo(window_.get()));
}

TEST_F(RunTest, TheRunsOwnControlsAreHiddenUntilARunShowsThem) {
    for (const MainControl name :
         {MainControl::ProgressBar, MainControl::Abort, MainControl::FileStatus}) {
        EXPECT_FALSE(shown(name)) << name;
    }
    EXPECT_TRUE(shown(MainControl::LeftHeading));
}

TEST_F(RunTest, TheAbortButtonStopsALongRun) {
    for (int i = 0; i < 200; ++i) {
        tree_.write("work/many/f" + std::to_string(i), "x");
        tree_.write("right/many/f" + std::to_string(i), "x");
    }
    clickMode(CompareMode::DirectoryWithDirectory);
    bool abortShown = false;
    QTimer::singleShot(0, window_.get(), [&] {
        abortShown = shown(MainControl::Abort);
        click(MainControl::Abort);
    });
    click(MainControl::Start);
    EXPECT_TRUE(abortShown);
    EXPECT_TRUE(window_->runState().runInterrupted);
    EXPECT_LT(window_->runState().counters.filesCompared, 203);
    const auto lines = reportLines();
    EXPECT_NE(std::find(lines.begin(), lines.end(), "Comparison interrupted by user!"),
              lines.end());
    ASSERT_EQ(dialogs_.boxes.size(), 1U);
    EXPECT_EQ(dialogs_.boxes[0].icon, QMessageBox::Critical);
    expectIdle();
}

// A count line of many digits, in German, ends before the Abort button beside it.
TEST_F(RunTest, TheRunningCountsNeverRunUnderTheAbortButton) {
    for (const char* side : {"work", "right"}) {
        tree_.sparse(std::string(side) + "/huge.dat", std::int64_t{10} << 40);
    }
    window_->applyLanguage(kGerman);
    clickMode(CompareMode::DirectoryWithDirectory);
    child<QCheckBox>(MainControl::FastCompare)->setChecked(true);
    QRect counts;
    QRect abort;
    dialogs_.whileAsking = [&] {
        counts = child<QLabel>(MainControl::FirstGuidance)->geometry();
        abort = child<QWidget>(MainControl::Abort)->geometry();
    };
    click(MainControl::Start);
    ASSERT_TRUE(label(MainControl::FirstGuidance).contains(QStringLiteral("MB")))
        << label(MainControl::FirstGuidance).toStdString();
    EXPECT_LT(counts.right(), abort.left());
}

TEST_F(RunTest, StartingWithoutAModeOrWithoutFilesGivesOneErrorBoxAndKeepsTheReport) {
    report_.appendReportLine("earlier");
    click(MainControl::Start);
    clickMode(CompareMode::FileWithFile);
    click(MainControl::Start);
    clickMode(CompareMode::FilesWithDirectory);
    click(MainControl::Start);
    ASSERT_EQ(dialogs_.boxes.size(), 3U);
    EXPECT_EQ(
        dialogs_.boxes[0].text,
        QStringLiteral("You must select one of 3 comparison modes through upper left buttons."));
    EXPECT_EQ(dialogs_.boxes[1].text,
              QStringLiteral("You must select one file to the left and one file to the right."));
    EXPECT_EQ(dialogs_.boxes[2].text,
              QStringLiteral("You must select at least one file to the left."));
    for (const auto& box : dialogs_.boxes) {
        EXPECT_EQ(box.caption, QStringLiteral("Error"));
        EXPECT_EQ(box.icon, QMessageBox::Critical);
    }
    EXPECT_EQ(reportLines(), std::vector<std::string>{"earlier"});
    expectIdle();
}

TEST_F(RunTest, AFailureInsideARunRestoresTheIdleWindowAndIsShown) {
    files_.onRead = [](const std::string&, int, std::int64_t) -> std::int64_t {
        throw std::runtime_error("the disk caught fire");
    };
    clickMode(CompareMode::DirectoryWithDirectory);
    click(MainControl::Start);
    ASSERT_EQ(boxKinds(), std::vector<Kind>{Kind::Failure});
    EXPECT_EQ(dialogs_.boxes[0].text, QStringLiteral("the disk caught fire"));
    EXPECT_EQ(dialogs_.boxes[0].caption, QApplication::applicationName());
    expectIdle();
}

// Asked to close while its run fails: the failure is told, and the window still closes.
TEST_F(RunTest, ARunThatFailsWhileItsWindowIsClosingIsToldAndTheWindowCloses) {
    QSignalSpy closed(window_.get(), &MainWindow::closed);
    files_.onRead = [&](const std::string&, int, std::int64_t) -> std::int64_t {
        window_->close();
        throw std::runtime_error("the disk caught fire");
    };
    clickMode(CompareMode::DirectoryWithDirectory);
    click(MainControl::Start);
    QCoreApplication::processEvents();
    EXPECT_EQ(boxKinds(), std::vector<Kind>{Kind::Failure});
    EXPECT_EQ(closed.count(), 1);
    EXPECT_FALSE(window_->isVisible());
}

TEST_F(RunTest, ClosingDuringARunAbortsItSkipsTheQuestionAndWritesTheSettingsOnce) {
    QSignalSpy closed(window_.get(), &MainWindow::closed);
    bool closedDuringRun = true;
    files_.onRead = [&](const std::string&, int, std::int64_t count) {
        if (window_->isVisible()) {
            window_->close();
            closedDuringRun = window_->isVisible();
        }
        return count;
    };
    clickMode(CompareMode::DirectoryWithDirectory);
    click(MainControl::Start);
    EXPECT_TRUE(closedDuringRun); // the window stayed until the run returned
    EXPECT_TRUE(window_->runState().runInterrupted);
    EXPECT_TRUE(boxKinds().empty());
    EXPECT_EQ(closed.count(), 1);
    EXPECT_FALSE(window_->isVisible());
    EXPECT_TRUE(settingsBytes().contains("\"CompDir2\"=\"" +
                                         QByteArray::fromStdString(tree_.path("right"))));
}

TEST_F(RunTest, NamesThatAreNotUtf8AreListedSelectedAndComparedAsTheirBytes) {
    const std::string odd = "caf\xe9.txt"; // Latin-1, not UTF-8
    tree_.write("odd-left/" + odd, "bytes");
    tree_.write("odd-left/plain.txt", "plain");
    tree_.write("odd-right/" + odd, "bytes");
    dialogs_.chosenDirectory = QString::fromStdString(tree_.path("odd-left"));
    click(MainControl::LeftBrowse);
    dialogs_.chosenDirectory = QString::fromStdString(tree_.path("odd-right"));
    click(MainControl::RightBrowse);
    clickMode(CompareMode::FileWithFile);
    auto* left = child<QListView>(MainControl::LeftFiles);
    ASSERT_EQ(left->model()->rowCount(), 2);
    const int row = 0; // "caf\xe9" sorts before "plain"
    EXPECT_EQ(left->model()->index(row, 0).data().toString(),
              QStringLiteral("caf") + QChar(0xfffd) + QStringLiteral(".txt"));
    selectRows(MainControl::LeftFiles, {row});
    selectRows(MainControl::RightFiles, {row});
    click(MainControl::Start);
    const auto lines = reportLines();
    ASSERT_GE(lines.size(), 4U);
    EXPECT_EQ(lines[0], "Comparison of file " + tree_.path("odd-left/" + odd));
    EXPECT_EQ(lines[1], "with file " + tree_.path("odd-right/" + odd));
    EXPECT_EQ(lines[3], odd + ": equal.");
}

// What the window shows while each kind of run goes on, and while it asks about the report.
TEST_F(RunTest, StatusLinesAbortButtonAndProgressBarShowOnlyWhileARunNeedsThem) {
    using Names = std::set<MainControl>;
    const struct {
        const char* name;
        CompareMode mode;
        std::function<void()> select;
        Names during;
        Names asking;
    } rows[] = {
        {"file",
         CompareMode::FileWithFile,
         [this] {
             selectRows(MainControl::LeftFiles, {1});
             selectRows(MainControl::RightFiles, {0});
         },
         {MainControl::Abort, MainControl::LeftHeading, MainControl::RightHeading,
          MainControl::FileStatus},
         {MainControl::LeftHeading, MainControl::RightHeading}},
        {"files",
         CompareMode::FilesWithDirectory,
         [this] { selectRows(MainControl::LeftFiles, {0}); },
         {MainControl::Abort, MainControl::LeftHeading, MainControl::RightHeading,
          MainControl::FileStatus},
         {MainControl::LeftHeading, MainControl::RightHeading}},
        {"directory",
         CompareMode::DirectoryWithDirectory,
         [] {},
         {MainControl::Abort, MainControl::FileStatus, MainControl::DirectoryStatus,
          MainControl::ProgressBar},
         {MainControl::ProgressBar}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        clickMode(row.mode);
        row.select();
        const auto shownNow = [this](Names& seen) {
            for (const MainControl name :
                 {MainControl::Abort, MainControl::LeftHeading, MainControl::RightHeading,
                  MainControl::FileStatus, MainControl::DirectoryStatus,
                  MainControl::ProgressBar}) {
                if (shown(name)) {
                    seen.insert(name);
                }
            }
        };
        Names during;
        Names asking;
        QTimer watch;
        QObject::connect(&watch, &QTimer::timeout, [&] { shownNow(during); });
        dialogs_.whileAsking = [&] { shownNow(asking); };
        watch.start(0);
        click(MainControl::Start);
        watch.stop();
        EXPECT_EQ(during, row.during);
        EXPECT_EQ(asking, row.asking);
        expectIdle();
    }
}

} // namespace
} // namespace quorvel::test
