#include "gui/EndingSignals.h"
#include "gui/ModalClosing.h"
#include "gui/StandardDialogs.h"
#include "gui/WindowFixture.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QSignalSpy>
#include <QTimer>

#include <csignal>

namespace quorvel::test {
namespace {

// A background job or nohup may have started us with these ignored, and an ignored signal is
// rightly left so: the tests want the ones a logout sends.
class SignalTest : public WindowFixture {
protected:
    SignalTest() {
        for (const int signal : {SIGTERM, SIGINT, SIGHUP}) {
            std::signal(signal, SIG_DFL);
        }
    }
};

TEST_F(SignalTest, ALogoutsSignalClosesTheWindowAsTheUserWouldAndKeepsTheSettings) {
    for (const int signal : {SIGTERM, SIGINT, SIGHUP}) {
        SCOPED_TRACE(signal);
        window_.reset();
        MainWindow& window = makeWindow();
        showAndActivate();
        EndingSignals ending;
        QObject::connect(&ending, &EndingSignals::closeRequested, &window, &QWidget::close);
        QSignalSpy closed(&window, &MainWindow::closed);
        QFile::remove(settingsPath());
        ::raise(signal);
        ASSERT_TRUE(closed.wait(5000));
        EXPECT_FALSE(window.isVisible());
        EXPECT_TRUE(settingsBytes().contains("\"CompDir1\"=")) << settingsBytes().toStdString();
    }
}

// The platform's own question box, waiting for an answer when a logout's signal comes: it is
// answered "No" at once, so the close the program asks next is not kept waiting.
TEST_F(SignalTest, ASignalWhileAQuestionWaitsAnswersItNo) {
    EndingSignals ending;
    QObject::connect(&ending, &EndingSignals::closeRequested, [] { closeModalWindows(); });
    StandardDialogs real;
    QTimer::singleShot(0, [] { ::raise(SIGTERM); });
    // Should the signal not reach the box, "Yes" is clicked a while later: a failure, not a hang.
    QTimer::singleShot(10000, [] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            box->button(QMessageBox::Yes)->click();
        }
    });
    EXPECT_FALSE(real.askYesNo(nullptr, QStringLiteral("Go on?"), QStringLiteral("Question"),
                               QMessageBox::Question));
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

extern "C" void handlerBefore(int) {}

// Once the window is gone, a signal is handled again as it was before the program took it.
TEST_F(SignalTest, TheHandlersBeforeAreBackOnceTheSignalsAreNoLongerTaken) {
    const auto handlerOf = [](int signal) {
        struct sigaction now {};
        sigaction(signal, nullptr, &now);
        return now.sa_handler;
    };
    for (const int signal : {SIGTERM, SIGINT, SIGHUP}) {
        std::signal(signal, handlerBefore);
    }
    {
        EndingSignals ending;
        for (const int signal : {SIGTERM, SIGINT, SIGHUP}) {
            EXPECT_NE(handlerOf(signal), handlerBefore) << signal;
        }
    }
    for (const int signal : {SIGTERM, SIGINT, SIGHUP}) {
        EXPECT_EQ(handlerOf(signal), handlerBefore) << signal;
        std::signal(signal, SIG_DFL);
    }
}

TEST_F(SignalTest, ASecondSignalWhileClosingEndsAtOnce) {
    EXPECT_EXIT(
        {
            EndingSignals ending;
            ::raise(SIGTERM); // taken, and the close is still to come
            ::raise(SIGINT);
        },
        ::testing::ExitedWithCode(128 + SIGINT), "");
    EXPECT_EXIT(
        {
            EndingSignals ending;
            ::raise(SIGTERM);
            ::raise(SIGTERM);
        },
        ::testing::KilledBySignal(SIGTERM), "");
}

TEST_F(SignalTest, AnIgnoredSignalStaysIgnored) {
    const auto before = std::signal(SIGHUP, SIG_IGN);
    {
        EndingSignals ending;
        struct sigaction now {};
        ASSERT_EQ(sigaction(SIGHUP, nullptr, &now), 0);
        EXPECT_EQ(now.sa_handler, SIG_IGN);
        ASSERT_EQ(sigaction(SIGTERM, nullptr, &now), 0);
        EXPECT_NE(now.sa_handler, SIG_DFL);
    }
    std::signal(SIGHUP, before);
}

} // namespace
} // namespace quorvel::test
