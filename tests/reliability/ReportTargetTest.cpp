// Report files that cannot be written: a clear message, exit status 2, and whatever stood at the
// target before stays whole.

#include "support/Companion.h"
#include "support/TempTree.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sys/stat.h>

namespace quorvel::test {
namespace {

namespace fs = std::filesystem;

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

    // Exports the report to both targets; both are tried, and both fail: `beforeTheRun` when a
    // look at them could tell, and nothing is compared then.
    void expectBothFail(const ChildResult& r, const std::string& text, const std::string& html,
                        const std::string& reason, bool beforeTheRun = true) {
        EXPECT_EQ(r.exitCode, 2) << r.err;
        EXPECT_EQ(r.err, "quorvel-compare: cannot write '" + text + "': " + reason +
                             "\nquorvel-compare: cannot write '" + html + "': " + reason + "\n");
        if (beforeTheRun) {
            EXPECT_EQ(r.out, "");
        } else {
            // The report itself still reaches standard output.
            EXPECT_NE(r.out.find(">>>> file1007.txt: different contents!\n"), std::string::npos);
        }
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
    expectBothFail(r, "out/old.txt", "out/old.html", "File too large", false);
    expectEarlierFilesWhole();
}

// A target naming a descriptor the shell opened is written where that descriptor points, the way
// the shell set it up, and never replaced.
class DescriptorTargetTest : public ReportTargetTest {
protected:
    // The shell runs `script` with the companion as "$0".
    ChildResult runInShell(const std::string& script) {
        return runChild({"/bin/sh", "-c", script, QUORVEL_COMPARE_BIN}, tree.root());
    }

    // The text report as it goes to an ordinary file.
    std::string plainReport() {
        const auto r = runCompanion({"-q", "--text", "out/plain.txt", "L", "R"}, tree.root());
        EXPECT_EQ(r.exitCode, 1) << r.err;
        return tree.read("out/plain.txt");
    }
};

TEST_F(DescriptorTargetTest, AnAppendingRedirectionKeepsWhatTheFileHeld) {
    const std::string report = plainReport();
    tree.write("out/log.txt", "earlier run\n");
    auto r = runInShell("\"$0\" -q --text /dev/stdout L R >> out/log.txt");
    EXPECT_EQ(r.exitCode, 1) << r.err;
    EXPECT_EQ(tree.read("out/log.txt"), "earlier run\n" + report);

    r = runInShell("\"$0\" -q --text /dev/fd/3 --html /proc/self/fd/3 L R 3>> out/log.txt");
    EXPECT_EQ(r.exitCode, 1) << r.err;
    const std::string log = tree.read("out/log.txt");
    EXPECT_EQ(log.rfind("earlier run\n" + report + report + "<html>\r\n", 0), 0u);
    EXPECT_TRUE(log.ends_with("</html>"));
    EXPECT_EQ(tree.listing("out"), "log.txt old.html old.txt plain.txt");
}

TEST_F(DescriptorTargetTest, WhatTheScriptWroteBeforeStays) {
    const std::string report = plainReport();
    const auto r = runInShell(
        "{ echo header; \"$0\" -q --text /dev/stdout --html /dev/stderr L R; echo footer; } "
        "> out/out.txt 2>&1");
    EXPECT_EQ(r.exitCode, 0) << r.err;
    const std::string out = tree.read("out/out.txt");
    EXPECT_EQ(out.rfind("header\n" + report + "<html>\r\n", 0), 0u) << out;
    EXPECT_TRUE(out.ends_with("</html>footer\n")) << out;
}

TEST_F(DescriptorTargetTest, APipeAndALinkToTheDescriptorWork) {
    const std::string report = plainReport();
    tree.symlink("/dev/stdout", "out/to-stdout");
    // The test reads the companion's standard output through a pipe.
    auto r = runCompanion({"-q", "--text", "/dev/stdout", "L", "R"}, tree.root());
    EXPECT_EQ(r.exitCode, 1) << r.err;
    EXPECT_EQ(r.out, report);
    r = runCompanion({"-q", "--text", "out/to-stdout", "--html", "/dev/stderr", "L", "R"},
                     tree.root());
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.out, report);
    EXPECT_EQ(r.err.rfind("<html>\r\n", 0), 0u) << r.err;
    EXPECT_TRUE(fs::is_symlink(tree.path("out/to-stdout")));
}

TEST_F(DescriptorTargetTest, AClosedDescriptorIsAFailure) {
    const auto r = runInShell("exec 7>&-; \"$0\" --text /dev/fd/7 --html /proc/self/fd/7 L R");
    expectBothFail(r, "/dev/fd/7", "/proc/self/fd/7", "Bad file descriptor");
    EXPECT_EQ(tree.listing("out"), "old.html old.txt");
}

} // namespace
} // namespace quorvel::test
