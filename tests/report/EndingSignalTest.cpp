// A signal that ends the process while a report is being written leaves no temporary file.

#include "report/AtomicFileWriter.h"

#include "support/ChildProcess.h"
#include "support/TempTree.h"

#include <gtest/gtest.h>

#include <csignal>
#include <ostream>
#include <string>
#include <unistd.h>

namespace quorvel {
namespace {

struct Ending {
    const char* name;
    int signal;
    bool interruptedBefore; // a first SIGINT that the program handles comes first
    bool afterAWrite;       // a whole write in the same process comes first
};

void PrintTo(const Ending& ending, std::ostream* out) {
    *out << ending.name;
}

class EndingSignalTest : public ::testing::TestWithParam<Ending> {};

TEST_P(EndingSignalTest, RemovesTheTemporaryFileAndKeepsTheEarlierReport) {
    const Ending ending = GetParam();
    test::TempTree scratch;
    scratch.write("report.txt", "earlier report\r\n");
    bool temporaryWhileWriting = false;
    bool temporaryAfterFirstInterrupt = false;
    int sent = 0;
    const auto hasTemporary = [&] { return scratch.listing().find(".quorvel-") == 0; };
    const auto r =
        test::runChild({QUORVEL_SLOW_WRITER_BIN, scratch.path("report.txt"),
                        ending.interruptedBefore ? "interrupt-once" : "plain",
                        ending.afterAWrite ? "after-a-write" : ""},
                       scratch.root(), [&](const std::string& err, int pid) {
                           if (sent == 0 && err.find("writing\n") != std::string::npos) {
                               temporaryWhileWriting = hasTemporary();
                               ::kill(pid, ending.interruptedBefore ? SIGINT : ending.signal);
                               ++sent;
                           } else if (sent == 1 && ending.interruptedBefore &&
                                      err.find("interrupted\n") != std::string::npos) {
                               temporaryAfterFirstInterrupt = hasTemporary();
                               ::kill(pid, ending.signal);
                               ++sent;
                           }
                       });
    EXPECT_EQ(r.exitCode, 128 + ending.signal) << r.err;
    EXPECT_TRUE(temporaryWhileWriting);
    if (ending.interruptedBefore) {
        EXPECT_TRUE(temporaryAfterFirstInterrupt) << "the first Ctrl-C lets the write go on";
    }
    EXPECT_EQ(scratch.listing(), "report.txt");
    EXPECT_EQ(scratch.read("report.txt"), "earlier report\r\n");
}

INSTANTIATE_TEST_SUITE_P(Signals, EndingSignalTest,
                         ::testing::Values(Ending{"Interrupt", SIGINT, false, false},
                                           Ending{"SecondInterrupt", SIGINT, true, false},
                                           Ending{"Terminate", SIGTERM, false, false},
                                           Ending{"HangUp", SIGHUP, false, false},
                                           Ending{"InterruptAfterAWrite", SIGINT, false, true},
                                           Ending{"SecondInterruptAfterAWrite", SIGINT, true, true},
                                           Ending{"HangUpAfterAWrite", SIGHUP, false, true}),
                         [](const auto& info) { return std::string(info.param.name); });

extern "C" void programHandler(int) {}

// In this process, after the writes of earlier tests: a writer must still take over the signals
// while it writes, or this test would pass without looking at a put-back.
TEST(EndingSignal, WhatTheProgramSetComesBackAfterAWrite) {
    struct sigaction handled {};
    handled.sa_handler = programHandler;
    sigemptyset(&handled.sa_mask);
    struct sigaction ignored {};
    ignored.sa_handler = SIG_IGN;
    sigemptyset(&ignored.sa_mask);
    struct sigaction saved[3];
    ASSERT_EQ(sigaction(SIGINT, &handled, &saved[0]), 0);
    ASSERT_EQ(sigaction(SIGHUP, &handled, &saved[1]), 0);
    ASSERT_EQ(sigaction(SIGTERM, &ignored, &saved[2]), 0);

    test::TempTree scratch;
    struct sigaction during[3]{};
    const AtomicFileWriter writer([&](int fd, const char* data, std::size_t size) {
        sigaction(SIGINT, nullptr, &during[0]);
        sigaction(SIGHUP, nullptr, &during[1]);
        sigaction(SIGTERM, nullptr, &during[2]);
        return ::write(fd, data, size);
    });
    writer.replace(scratch.path("report.txt"), "report");

    struct sigaction after[3];
    sigaction(SIGINT, &saved[0], &after[0]);
    sigaction(SIGHUP, &saved[1], &after[1]);
    sigaction(SIGTERM, &saved[2], &after[2]);
    EXPECT_NE(during[0].sa_handler, &programHandler) << "no writer took over SIGINT";
    EXPECT_NE(during[1].sa_handler, &programHandler) << "no writer took over SIGHUP";
    EXPECT_EQ(during[2].sa_handler, SIG_IGN) << "an ignored signal stays ignored";
    EXPECT_EQ(after[0].sa_handler, &programHandler);
    EXPECT_EQ(after[1].sa_handler, &programHandler);
    EXPECT_EQ(after[2].sa_handler, SIG_IGN);
    EXPECT_EQ(scratch.read("report.txt"), "report");
}

} // namespace
} // namespace quorvel
