// FIFOs, sockets and devices are never opened as files, so nothing can block or have effects.

#include "support/Companion.h"
#include "support/EngineFixture.h"

#include <cstring>
#include <stdexcept>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace quorvel::test {
namespace {

using V = std::vector<std::string>;

// A listening Unix socket's name in the file system; the socket itself is closed again.
void makeSocket(const std::string& path) {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    ASSERT_LT(path.size(), sizeof address.sun_path) << path;
    std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
    ::close(fd);
}

class SpecialFilesTest : public EngineFixture {
protected:
    SpecialFilesTest() {
        tree.write("L/a", "a");
        tree.write("L/b", "b");
        tree.write("L/c", "c");
        tree.write("L/d", "d");
        tree.fifo("L/pipe");
        makeSocket(tree.path("L/sock"));
        tree.symlink("/dev/zero", "L/zero");
        tree.fifo("R/a");
        makeSocket(tree.path("R/b"));
        tree.symlink("/dev/zero", "R/c");
        tree.symlink("/dev/null", "R/d");
        // Namesakes of what the left tree does not take.
        tree.write("R/pipe", "");
        tree.write("R/sock", "");
        tree.write("R/zero", "");
    }
};

TEST_F(SpecialFilesTest, TreeEntriesThatAreNotFilesAreLeftOutAndNamesakesAreNotFound) {
    for (const bool fast : {false, true}) {
        request.options.fast = fast;
        files.openedOtherThanFiles.clear();
        EXPECT_EQ(runBody(), expectedBody({">>>> a: not found in 2nd directory!",
                                           ">>>> b: not found in 2nd directory!",
                                           ">>>> c: not found in 2nd directory!",
                                           ">>>> d: not found in 2nd directory!"},
                                          4, "0.00 KB", 0, 4, fast))
            << "fast " << fast;
        EXPECT_EQ(files.openedOtherThanFiles, V{});
        EXPECT_EQ(run.state().progress.grandTotal, 4);
    }
}

TEST_F(SpecialFilesTest, ADeviceOrFifoNamedInAFileRunIsAnErrorOnTheLeftAndNotFoundOnTheRight) {
    for (const bool fast : {false, true}) {
        request.options.fast = fast;
        for (const auto& left : {std::string("/dev/zero"), tree.path("L/pipe"), tree.path("L/sock"),
                                 tree.path("L/zero")}) {
            EXPECT_EQ(runFiles(left, tree.path("L/a")),
                      expectedBody({">>>> " + left.substr(left.rfind('/') + 1) +
                                    ": error reading 1st file!"},
                                   1, "0.00 KB", 0, 1, fast))
                << left << " fast " << fast;
        }
        for (const auto& right :
             {std::string("/dev/zero"), tree.path("R/a"), tree.path("R/b"), tree.path("R/c")}) {
            EXPECT_EQ(
                runFiles(tree.path("L/a"), right),
                expectedBody({">>>> a: not found in 2nd directory!"}, 1, "0.00 KB", 0, 1, fast))
                << right << " fast " << fast;
        }
        // The files of one directory with their namesakes in another.
        request.mode = CompareMode::FilesWithDirectory;
        request.left = tree.path("L");
        request.right = tree.path("R");
        request.leftSelection = {"pipe", "a", "zero", "sock"};
        EXPECT_EQ(runBody(),
                  expectedBody(
                      {">>>> pipe: error reading 1st file!", ">>>> a: not found in 2nd directory!",
                       ">>>> zero: error reading 1st file!", ">>>> sock: error reading 1st file!"},
                      4, "0.00 KB", 0, 4, fast));
    }
    EXPECT_EQ(files.openedOtherThanFiles, V{});
}

TEST_F(SpecialFilesTest, TheCompanionRefusesSuchAnArgumentUpFront) {
    for (const auto& [first, second] :
         std::vector<std::pair<std::string, std::string>>{{"/dev/zero", "L/a"},
                                                          {"L/a", "/dev/zero"},
                                                          {"L/pipe", "R/pipe"},
                                                          {"L/a", "R/a"},
                                                          {"L/sock", "R"},
                                                          {"L/zero", "R/zero"}}) {
        const auto r = runCompanion({first, second}, tree.root());
        EXPECT_EQ(r.exitCode, 2) << first << " " << second;
        const auto& refused = first == "L/a" ? second : first;
        EXPECT_EQ(r.err, "quorvel-compare: '" + refused + "': not a regular file or directory\n");
        EXPECT_EQ(r.out, "");
    }
    const auto r = runCompanion({"--one-sided", "--all", "L", "R"}, tree.root());
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.out, directoryReportText(tree.path("L"), tree.path("R"),
                                         expectedBody({">>>> a: not found in 2nd directory!",
                                                       ">>>> b: not found in 2nd directory!",
                                                       ">>>> c: not found in 2nd directory!",
                                                       ">>>> d: not found in 2nd directory!"},
                                                      4, "0.00 KB", 0, 4)));
}

} // namespace
} // namespace quorvel::test
