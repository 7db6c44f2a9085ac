// Report files that cannot be written: a clear message, exit status 2, and whatever stood at the
// target before stays whole.

#include "support/Companion.h"
#include "support/TempTree.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace quorvel::test {
namespace {

class ReportTargetTest : public ::testing::Test {
protected:
    ReportTargetTest() {
        // Enough lines that the report takes several blocks of the file size limit below.
        for (int i = 0; i < 200; ++i) {
            const auto name = "file" + std::to_string(1000 + i) + ".txt";
            tree.write("L/" + name, "1");
            tree.write("R/" + name, i == 7 ? "2" : "1");
        }
        tree.mkdir("out");
        tree.write("out/old.txt", "an earlier report\r\n");
        tree.write("out/old.html", "<html>an earlier page</html>");
    }

    // Exports the report to both targets; both are tried, and both fail.
    void expectBothFail(const ChildResult& r, const std::string& text, const std::string& html,
                        const std::string& reason) {
        EXPECT_EQ(r.exitCode, 2) << r.err;
        EXPECT_EQ(r.err, "quorvel-compare: cannot write '" + text + "': " + reason +
                             "\nquorvel-compare: cannot write '" + html + "': " + reason + "\n");
        // The report itself still reaches standard output.
        EXPECT_NE(r.out.find(">>>> file1007.txt: different contents!\n"), std::string::npos);
    }

    void expectEarlierFilesWhole() {
        EXPECT_EQ(tree.listing("out"), "old.html old.txt");
        EXPECT_EQ(tree.read("out/old.txt"), "an earlier report\r\n");
        EXPECT_EQ(tree.read("out/old.html"), "<html>an earlier page</html>");
    }

    TempTree tree;
};

TEST_F(ReportTargetTest, AMissingDirectory) {
    const auto r = runCompanion(
        {"--text", "none/report.txt", "--html", "out/none/report.html", "L", "R"}, tree.root());
    expectBothFail(r, "none/report.txt", "out/none/report.html", "No such file or directory");
    EXPECT_EQ(tree.listing(), "L R out");
    expectEarlierFilesWhole();
}

TEST_F(ReportTargetTest, APathThatIsADirectory) {
    tree.write("out/dir/inside.txt", "x");
    const auto r = runCompanion({"--text", "out/dir", "--html", "out/dir/", "L", "R"}, tree.root());
    expectBothFail(r, "out/dir", "out/dir/", "Is a directory");
    EXPECT_EQ(tree.listing("out/dir"), "inside.txt");
    EXPECT_EQ(tree.read("out/dir/inside.txt"), "x");
}

TEST_F(ReportTargetTest, TheFullDevice) {
    tree.symlink("/dev/full", "out/full-link");
    auto r = runCompanion({"--text", "/dev/full", "--html", "/dev/full", "L", "R"}, tree.root());
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_EQ(r.err.rfind("quorvel-compare: cannot write '/dev/full': ", 0), 0u) << r.err;
    // Through a link, the device is neither written nor replaced.
    r = runCompanion({"-q", "--text", "out/full-link", "L", "R"}, tree.root());
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_EQ(r.err.rfind("quorvel-compare: cannot write 'out/full-link': ", 0), 0u) << r.err;
    struct stat st {};
    ASSERT_EQ(::lstat(tree.path("out/full-link").c_str(), &st), 0);
    EXPECT_TRUE(S_ISLNK(st.st_mode));
}

TEST_F(ReportTargetTest, AReadOnlyDirectory) {
    openToEveryone(tree.root());
    if (const auto why = noUnprivilegedRun(tree.root())) {
        GTEST_SKIP() << "no run without privileges: " << *why;
    }
    // The files themselves could be written; only the directory refuses new names.
    ASSERT_EQ(::chmod(tree.path("out/old.txt").c_str(), 0666), 0);
    ASSERT_EQ(::chmod(tree.path("out/old.html").c_str(), 0666), 0);
    if (::geteuid() != 0) {
        ASSERT_EQ(::chmod(tree.path("out").c_str(), 0555), 0);
    }
    const auto r = runCompanionUnprivileged(
        {"--text", "out/old.txt", "--html", "out/old.html", "L", "R"}, tree.root());
    expectBothFail(r, "out/old.txt", "out/old.html", "Permission denied");
    expectEarlierFilesWhole();
}

TEST_F(ReportTargetTest, AFileSystemThatRefusesMorePartway) {
    // A file size limit of one block fails the writes part-way, as a full disk would.
    const auto r = runChild({"/bin/sh", "-c", "trap '' XFSZ; ulimit -f 1; exec \"$0\" \"$@\"",
                             QUORVEL_COMPARE_BIN, "--all", "--text", "out/old.txt", "--html",
                             "out/old.html", "L", "R"},
                            tree.root());
    ASSERT_GT(r.out.size(), 4096u);
    expectBothFail(r, "out/old.txt", "out/old.html", "File too large");
    expectEarlierFilesWhole();
}

} // namespace
} // namespace quorvel::test
