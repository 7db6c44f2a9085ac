#include "gui/WindowFixture.h"

#include <QApplication>
#include <QCheckBox>
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

    bool enabled(const char* name) const { return child<QWidget>(name)->isEnabled(); }

    void expectIdle() const {
        for (const char* name : {"Panel1", "Panel2", "Panel3", "GroupBox1"}) {
            EXPECT_TRUE(enabled(name)) << name;
        }
        EXPECT_FALSE(shown("BitBtn1"));
        EXPECT_FALSE(shown("ProgressBar1"));
        EXPECT_FALSE(shown("Label5"));
        EXPECT_FALSE(shown("Label11"));
        EXPECT_TRUE(shown("Label3"));
        EXPECT_TRUE(shown("Label4"));
        EXPECT_FALSE(window_->isRunning());
    }
};

TEST_F(RunTest, AFileRunAsksWhileTheWindowStillRunsAndShowsTheReportBeforeItIsIdle) {
    click("SpeedButton1");
    selectRows("FileListBox1", {1});
    selectRows("FileListBox2", {0});
    dialogs_.answerYes = true;
    bool runningWhileAsked = false;
    dialogs_.whileAsking = [&] {
        runningWhileAsked = !enabled("Panel1") && !enabled("Panel3") && !enabled("GroupBox1");
    };
    bool runningWhileShown = false;
    reportDisplay_.whileShown = [&] { runningWhileShown = !enabled("Panel2"); };
    click("SpeedButton4");
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
    EXPECT_EQ(label("LabelTutor2"), QStringLiteral("Equal: 0;   different: 1"));
    expectIdle();
}

TEST_F(RunTest, AMultiFileRunComparesTheChosenFilesInListOrder) {
    click("SpeedButton2");
    selectRows("FileListBox1", {2, 0});
    click("SpeedButton4");
    const auto lines = reportLines();
    ASSERT_GE(lines.size(), 5U);
    EXPECT_EQ(lines[0], "Comparison of some files from " + work());
    EXPECT_EQ(lines[3], "a.txt: equal.");
    EXPECT_EQ(lines[4], ">>>> c.txt: not found in 2nd directory!");
    EXPECT_EQ(reportDisplay_.shown, 0);
    expectIdle();
}

TEST_F(RunTest, ADirectoryRunShowsItsStatusAndTheProgressBarInPlaceOfTheCaptions) {
    click("SpeedButton3");
    bool progressWhileAsked = false;
    int percentWhileAsked = -1;
    dialogs_.whileAsking = [&] {
        progressWhileAsked = shown("ProgressBar1") && !shown("Label3") && !shown("Label4");
        percentWhileAsked = child<QProgressBar>("ProgressBar1")->value();
    };
    // The status line as it was painted whenever the run let the window take input.
    QStringList statuses;
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        if (statuses.isEmpty() || statuses.back() != label("Label5")) {
            statuses << label("Label5");
        }
    });
    watch.start(0);
    click("SpeedButton4");
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
    click("SpeedButton3");
    child<QCheckBox>("CheckBoxSoloDim")->setChecked(true);
    child<QCheckBox>("CheckBoxRecurse")->setChecked(false);
    child<QCheckBox>("CheckBoxSoloDiversi")->setChecked(false);
    child<QLineEdit>("EditFiltro")->setText(QStringLiteral("*.dat;a*"));
    click("SpeedButton4");
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
    click("SpeedButton3");
    child<QCheckBox>("CheckBoxBothSides")->setChecked(true);
    child<QLineEdit>("EditExclude")->setText(QStringLiteral("*.bak"));
    click("SpeedButton4");
    const auto lines = reportLines();
    EXPECT_EQ(lines.at(2), "(exclude:  *.bak)");
    EXPECT_NE(std::find(lines.begin(), lines.end(), ">>>> only.txt: not found in 1st directory!"),
              lines.end());
    click("SpeedButton1");
    EXPECT_FALSE(child<QCheckBox>("CheckBoxBothSides")->isVisibleTo(window_.get()));
}

TEST_F(RunTest, TheRunsOwnControlsAreHiddenUntilARunShowsThem) {
    for (const char* name : {"ProgressBar1", "BitBtn1", "Label5"}) {
        EXPECT_FALSE(shown(name)) << name;
    }
    EXPECT_TRUE(shown("Label3"));
}

TEST_F(RunTest, TheAbortButtonStopsALongRun) {
    for (int i = 0; i < 200; ++i) {
        tree_.write("work/many/f" + std::to_string(i), "x");
        tree_.write("right/many/f" + std::to_string(i), "x");
    }
    click("SpeedButton3");
    bool abortShown = false;
    QTimer::singleShot(0, window_.get(), [&] {
        abortShown = shown("BitBtn1");
        click("BitBtn1");
    });
    click("SpeedButton4");
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
    click("SpeedButton3");
    child<QCheckBox>("CheckBoxSoloDim")->setChecked(true);
    QRect counts;
    QRect abort;
    dialogs_.whileAsking = [&] {
        counts = child<QLabel>("LabelTutor1")->geometry();
        abort = child<QWidget>("BitBtn1")->geometry();
    };
    click("SpeedButton4");
    ASSERT_TRUE(label("LabelTutor1").contains(QStringLiteral("MB")))
        << label("LabelTutor1").toStdString();
    EXPECT_LT(counts.right(), abort.left());
}

TEST_F(RunTest, StartingWithoutAModeOrWithoutFilesGivesOneErrorBoxAndKeepsTheReport) {
    report_.appendReportLine("earlier");
    click("SpeedButton4");
    click("SpeedButton1");
    click("SpeedButton4");
    click("SpeedButton2");
    click("SpeedButton4");
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
    click("SpeedButton3");
    click("SpeedButton4");
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
    click("SpeedButton4");
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
    click("SpeedButton3");
    click("SpeedButton4");
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
    click("BitBtn2");
    dialogs_.chosenDirectory = QString::fromStdString(tree_.path("odd-right"));
    click("BitBtn3");
    click("SpeedButton1");
    auto* left = child<QListView>("FileListBox1");
    ASSERT_EQ(left->model()->rowCount(), 2);
    const int row = 0; // "caf\xe9" sorts before "plain"
    EXPECT_EQ(left->model()->index(row, 0).data().toString(),
              QStringLiteral("caf") + QChar(0xfffd) + QStringLiteral(".txt"));
    selectRows("FileListBox1", {row});
    selectRows("FileListBox2", {row});
    click("SpeedButton4");
    const auto lines = reportLines();
    ASSERT_GE(lines.size(), 4U);
    EXPECT_EQ(lines[0], "Comparison of file " + tree_.path("odd-left/" + odd));
    EXPECT_EQ(lines[1], "with file " + tree_.path("odd-right/" + odd));
    EXPECT_EQ(lines[3], odd + ": equal.");
}

// What the window shows while each kind of run goes on, and while it asks about the report.
TEST_F(RunTest, StatusLinesAbortButtonAndProgressBarShowOnlyWhileARunNeedsThem) {
    using Names = std::set<std::string>;
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
             selectRows("FileListBox1", {1});
             selectRows("FileListBox2", {0});
         },
         {"BitBtn1", "Label3", "Label4", "Label5"},
         {"Label3", "Label4"}},
        {"files",
         CompareMode::FilesWithDirectory,
         [this] { selectRows("FileListBox1", {0}); },
         {"BitBtn1", "Label3", "Label4", "Label5"},
         {"Label3", "Label4"}},
        {"directory",
         CompareMode::DirectoryWithDirectory,
         [] {},
         {"BitBtn1", "Label5", "Label11", "ProgressBar1"},
         {"ProgressBar1"}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        clickMode(row.mode);
        row.select();
        const auto shownNow = [this](Names& seen) {
            for (const char* name :
                 {"BitBtn1", "Label3", "Label4", "Label5", "Label11", "ProgressBar1"}) {
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
        click("SpeedButton4");
        watch.stop();
        EXPECT_EQ(during, row.during);
        EXPECT_EQ(asking, row.asking);
        expectIdle();
    }
}

} // namespace
} // namespace quorvel::test
