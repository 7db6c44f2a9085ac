#include "cli/ManifestTaking.h"
#include "engine/PosixFileAccess.h"
#include "engine/RunObserver.h"
#include "manifest/ManifestLines.h"
#include "manifest/ManifestReader.h"
#include "support/ChildProcess.h"
#include "support/Companion.h"
#include "support/JsonLines.h"
#include "support/TempTree.h"

#include <nlohmann/json.hpp>

#include <gtest/gtest.h>

#include <algorithm>
#include <fcntl.h>
#include <map>
#include <sys/stat.h>

namespace quorvel {
namespace {

using nlohmann::json;

using test::jsonLines;

// Each pair's path with its result word.
std::map<std::string, std::string> results(const std::string& jsonReport) {
    std::map<std::string, std::string> byPath;
    for (const auto& object : jsonLines(jsonReport)) {
        if (object["type"] == "pair") {
            byPath[object["path"]] = object["result"];
        }
    }
    return byPath;
}

class CompanionManifestTest : public ::testing::Test {
protected:
    CompanionManifestTest() {
        tree.write("T/same.txt", "same");
        tree.write("T/edited.txt", "12345");
        tree.write("T/grown.txt", "abc");
        tree.write("T/sub/gone.txt", "bye");
        tree.write("T/sub/deep/kept.bin", "kept");
    }

    test::ChildResult run(const std::vector<std::string>& args) {
        std::vector<std::string> all{"--no-progress"};
        all.insert(all.end(), args.begin(), args.end());
        return test::runCompanion(all, tree.root());
    }

    // A file changed in place (same size), one grown, one added, one removed.
    void changeTree() {
        tree.write("T/edited.txt", "54321");
        tree.write("T/grown.txt", "abcd");
        tree.write("T/sub/new.txt", "new");
        ASSERT_EQ(::unlink(tree.path("T/sub/gone.txt").c_str()), 0);
    }

    test::TempTree tree;
};

TEST_F(CompanionManifestTest, AManifestTellsWhatChangedInTheTreeSince) {
    auto r = run({"--manifest", "m.qvm", "T"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, "");
    const auto lines = jsonLines(tree.read("m.qvm"));
    ASSERT_EQ(lines.size(), 7u);
    EXPECT_EQ(lines.front()["format"], "quorvel-manifest");
    EXPECT_EQ(lines.front()["version"], 1);
    EXPECT_EQ(lines.front()["tree"], "T");
    EXPECT_EQ(lines.front()["hash"], "xxh3-128");
    EXPECT_EQ(lines[1]["path"], "edited.txt");
    EXPECT_EQ(lines[1]["size"], 5);
    EXPECT_EQ(lines[4]["path"], "sub/gone.txt");
    EXPECT_EQ(lines[5]["path"], "sub/deep/kept.bin");
    EXPECT_EQ(lines.back()["type"], "trailer");
    EXPECT_EQ(lines.back()["entries"], 5);

    r = run({"m.qvm", "T"});
    EXPECT_EQ(r.exitCode, 0) << r.out << r.err;

    changeTree();
    r = run({"--one-sided", "m.qvm", "T"});
    EXPECT_EQ(r.exitCode, 1) << r.err;
    const std::string heading = "Comparison of manifest " + tree.path("m.qvm") +
                                "\n(manifest taken:  " + lines.front()["date"].get<std::string>() +
                                ", T)\nwith directory " + tree.path("T") + "\n\n";
    EXPECT_EQ(r.out, heading + ">>>> edited.txt: different contents!\n"
                               ">>>> grown.txt: different size!\n"
                               "________________________\nSUBDIR: sub\n________________________\n"
                               ">>>> gone.txt: not found in 2nd directory!\n\n"
                               "Comparison terminated.\nCompared 5 file(s);  0.02 KB\n"
                               "Equal: 2;   different: 3\n");

    const std::map<std::string, std::string> expected{{"edited.txt", "different-contents"},
                                                      {"grown.txt", "different-size"},
                                                      {"same.txt", "equal"},
                                                      {"sub/gone.txt", "not-found-in-2nd"},
                                                      {"sub/new.txt", "not-found-in-1st"},
                                                      {"sub/deep/kept.bin", "equal"}};
    r = run({"--json", "-", "m.qvm", "T"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(results(r.out), expected);
    EXPECT_EQ(jsonLines(r.out).back()["different"], 4);

    // The other way round, and a manifest of the changed tree in its place.
    std::map<std::string, std::string> mirrored = expected;
    mirrored["sub/gone.txt"] = "not-found-in-1st";
    mirrored["sub/new.txt"] = "not-found-in-2nd";
    r = run({"--json", "-", "T", "m.qvm"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(results(r.out), mirrored);
    ASSERT_EQ(run({"--manifest", "now.qvm", "T"}).exitCode, 0);
    r = run({"--both", "--json", "-", "m.qvm", "now.qvm"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(results(r.out), expected);
}

TEST_F(CompanionManifestTest, FastComparesSizesOnlyAndTheHeadingIsInTheLanguageChosen) {
    const auto written = run({"--manifest", "-", "T"});
    ASSERT_EQ(written.exitCode, 0);
    tree.write("m.qvm", written.out);
    changeTree();
    auto r = run({"--fast", "--all", "--lang", "deu", "m.qvm", "T"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(
        r.out.rfind("Vergleich von Manifest " + tree.path("m.qvm") + "\n(Manifest erstellt:", 0),
        0u)
        << r.out;
    EXPECT_NE(r.out.find("edited.txt: gleich (vielleicht...).\n"), std::string::npos) << r.out;
}

TEST_F(CompanionManifestTest, ADamagedManifestIsNamedWithItsLineAndNothingIsCompared) {
    ASSERT_EQ(run({"--manifest", "m.qvm", "T"}).exitCode, 0);
    auto text = tree.read("m.qvm");
    text.replace(text.find("\"size\":5"), 8, "\"size\":6");
    tree.write("m.qvm", text);
    const auto r = run({"m.qvm", "T"});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, "quorvel-compare: m.qvm:7: damaged manifest: the trailer's hash does not "
                     "match the lines before it (changed or cut)\n");
}

TEST_F(CompanionManifestTest, AManifestGoesOnlyWithADirectoryOrAManifest) {
    ASSERT_EQ(run({"--manifest", "m.qvm", "T"}).exitCode, 0);
    auto r = run({"m.qvm", "T/same.txt"});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_NE(r.err.find("'T/same.txt' is not a directory"), std::string::npos) << r.err;
    r = run({"--manifest", "x.qvm", "T/same.txt"});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_EQ(tree.listing(), "T m.qvm");
    r = run({"--manifest", "x.qvm", "--json", "x.json", "T"});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_NE(r.err.find("writes no report"), std::string::npos) << r.err;
}

struct WriteRow {
    const char* name;
    std::vector<std::string> args;
    int exitCode;
    std::string err;
    bool replaced; // the file m.qvm holds a new manifest afterwards
};

TEST_F(CompanionManifestTest, WritingAManifestNeverReplacesAFileUnlessForced) {
    const WriteRow rows[] = {
        {"an existing file is refused with the commands that would help",
         {"--manifest", "m.qvm", "T"},
         2,
         "quorvel-compare: 'm.qvm' exists; to compare T with it: quorvel-compare m.qvm T; to "
         "replace it: --force\n",
         false},
        {"--force replaces it", {"--force", "--manifest", "m.qvm", "T"}, 0, "", true},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        tree.write("m.qvm", "last month's manifest\n");
        const auto r = run(row.args);
        EXPECT_EQ(r.exitCode, row.exitCode);
        EXPECT_EQ(r.err, row.err);
        EXPECT_EQ(r.out, "");
        EXPECT_EQ(tree.read("m.qvm") != "last month's manifest\n", row.replaced);
        EXPECT_EQ(tree.listing(), "T m.qvm") << "no temporary file is left";
    }
    const auto toOutput = run({"--manifest", "-", "T"});
    EXPECT_EQ(toOutput.exitCode, 0) << "standard output is never refused";
    EXPECT_EQ(toOutput.out.rfind("{\"type\":\"header\"", 0), 0u);
}

struct OperandRow {
    const char* name;
    std::map<std::string, std::string> files; // written before the run
    std::vector<std::string> args;
    int exitCode;
    std::string err;
};

TEST_F(CompanionManifestTest, AManifestThatIsNotWholeIsRefusedAsDamaged) {
    const std::string header = R"({"type":"header","format":"quorvel-manifest","version":1,)";
    const OperandRow rows[] = {
        {"an empty capture",
         {{"a.qvm", ""}},
         {"a.qvm", "T"},
         2,
         "quorvel-compare: a.qvm:1: damaged manifest: empty: no header\n"},
        {"a byte-order mark alone",
         {{"a.qvm", "\xEF\xBB\xBF"}},
         {"a.qvm", "T"},
         2,
         "quorvel-compare: a.qvm:1: damaged manifest: the last line is cut short\n"},
        {"a first line cut short",
         {{"a.qvm", header}},
         {"T", "a.qvm"},
         2,
         "quorvel-compare: a.qvm:1: damaged manifest: the last line is cut short\n"},
        {"a capture of another name, forced on the left",
         {{"capture", ""}},
         {"--left-manifest", "capture", "T"},
         2,
         "quorvel-compare: capture:1: damaged manifest: empty: no header\n"},
        {"a directory is no manifest",
         {},
         {"--right-manifest", "T", "T"},
         2,
         "quorvel-compare: 'T' is a directory, not a manifest\n"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        for (const auto& [name, content] : row.files) {
            tree.write(name, content);
        }
        const auto r = run(row.args);
        EXPECT_EQ(r.exitCode, row.exitCode);
        EXPECT_EQ(r.err, row.err);
        EXPECT_EQ(r.out, "");
    }
    ASSERT_EQ(run({"--manifest", "m.qvm", "T"}).exitCode, 0);
    ASSERT_EQ(::rename(tree.path("m.qvm").c_str(), tree.path("m.txt").c_str()), 0);
    const auto r = run({"--left-manifest", "m.txt", "T"});
    EXPECT_EQ(r.exitCode, 0) << "a whole manifest of any name reads as one: " << r.err;
}

struct StreamRow {
    const char* name;
    std::string script; // run by bash with the program as $0, in the tree's folder
    int exitCode;
    std::string err;
};

TEST_F(CompanionManifestTest, AManifestIsReadAsItComesFromAPipeOrStandardInput) {
    ASSERT_EQ(run({"--manifest", "m.qvm", "T"}).exitCode, 0);
    tree.fifo("f.qvm");
    tree.fifo("fifo");
    const StreamRow rows[] = {
        {"standard input", R"(cat m.qvm | "$0" --no-progress - T)", 0, ""},
        {"a pipe named by its descriptor", R"("$0" --no-progress <(cat m.qvm) T)", 0, ""},
        {"a failed capture through a pipe", R"(exec 7< <(true); "$0" --no-progress T /dev/fd/7)", 2,
         "quorvel-compare: /dev/fd/7:1: damaged manifest: empty: no header\n"},
        {"a named FIFO when forced",
         R"(cat m.qvm > fifo & "$0" --no-progress --left-manifest fifo T)", 0, ""},
        {"a FIFO named as a manifest is not opened unasked", R"("$0" --no-progress f.qvm T)", 2,
         "quorvel-compare: cannot read 'f.qvm': not a regular file (--left-manifest or "
         "--right-manifest reads it as it comes)\n"},
        {"standard input once only", R"("$0" --no-progress - - < m.qvm)", 2,
         "quorvel-compare: standard input ('-') can be read for one side only\n"
         "Try 'quorvel-compare --help' for more information.\n"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const auto r =
            test::runChild({"/bin/bash", "-c", row.script, QUORVEL_COMPARE_BIN}, tree.root());
        EXPECT_EQ(r.exitCode, row.exitCode) << r.out;
        EXPECT_EQ(r.err, row.err);
    }
}

struct TakenUnderRow {
    const char* name;
    std::vector<std::string> taking;  // the options the manifest m.qvm is taken with
    std::vector<std::string> running; // those the tree is compared with it under
    int exitCode;
    std::vector<std::string> told; // lines of the report
};

TEST_F(CompanionManifestTest, AComparisonWalksByTheManifestsOptionsUnlessOthersAreGiven) {
    tree.write("T/notes.log", "log");
    const TakenUnderRow rows[] = {
        {"a filter", {"--filter", "*.txt"}, {}, 0, {"(filter:  *.txt)\n", "Compared 4 file(s)"}},
        {"all three",
         {"--no-recurse", "--filter", "*.txt;*.bin", "--exclude", "same*"},
         {},
         0,
         {"(filter:  *.txt;*.bin)\n(exclude:  same*)\n", "Compared 2 file(s)"}},
        {"the command line's filter wins, the stored exclusions stay",
         {"--filter", "*.txt", "--exclude", "deep"},
         {"--filter", "*.log"},
         1,
         {"(filter:  *.log)\n(exclude:  deep)\n", ">>>> notes.log: not found in 2nd directory!"}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        auto taking = row.taking;
        taking.insert(taking.end(), {"--force", "--manifest", "m.qvm", "T"});
        ASSERT_EQ(run(taking).exitCode, 0);
        auto running = row.running;
        running.insert(running.end(), {"T", "m.qvm"});
        const auto r = run(running);
        EXPECT_EQ(r.exitCode, row.exitCode) << r.out << r.err;
        for (const auto& line : row.told) {
            EXPECT_NE(r.out.find(line), std::string::npos) << line << " in\n" << r.out;
        }
    }

    ASSERT_EQ(run({"--manifest", "all.qvm", "T"}).exitCode, 0);
    ASSERT_EQ(run({"--manifest", "txt.qvm", "--filter", "*.txt", "T"}).exitCode, 0);
    ASSERT_EQ(run({"--manifest", "flat.qvm", "--no-recurse", "T"}).exitCode, 0);
    auto r = run({"all.qvm", "txt.qvm"});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_EQ(r.err, "quorvel-compare: the manifests were taken with different filters ('*.*' and "
                     "'*.txt'); give --filter to compare them under one\n");
    EXPECT_EQ(r.out, "");
    r = run({"flat.qvm", "all.qvm"});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_EQ(r.err, "quorvel-compare: one manifest was taken without subdirectories; give "
                     "--no-recurse to compare them so\n");
    EXPECT_EQ(run({"--filter", "*.txt", "all.qvm", "txt.qvm"}).exitCode, 0);
    EXPECT_EQ(run({"--no-recurse", "flat.qvm", "all.qvm"}).exitCode, 0);
}

struct InsideRow {
    const char* name;
    std::string write;               // bash, with the program as $0, in the tree's folder
    std::string compare;             // the same
    std::string manifest;            // where it is written
    std::vector<std::string> listed; // its paths
};

TEST_F(CompanionManifestTest, AManifestInsideItsTreeLeavesItselfOut) {
    const std::vector<std::string> files{"edited.txt", "grown.txt", "same.txt", "sub/deep/kept.bin",
                                         "sub/gone.txt"};
    const InsideRow rows[] = {
        {"at the top", R"("$0" --manifest T/m.qvm T)", R"("$0" --both T/m.qvm T)", "T/m.qvm",
         files},
        {"through standard output", R"("$0" --manifest - T > T/m.qvm)",
         R"("$0" --both - T < T/m.qvm)", "T/m.qvm", files},
        {"a temporary file left by a killed run",
         R"(echo x > T/.quorvel-1-2.tmp; "$0" --manifest T/m.qvm T)", R"("$0" --both T/m.qvm T)",
         "T/m.qvm", files},
        {"a file of that name in a tree the manifest is not in",
         R"(echo x > T/m.qvm; "$0" --manifest m.qvm T)",
         R"("$0" --both m.qvm T)",
         "m.qvm",
         {"edited.txt", "grown.txt", "m.qvm", "same.txt", "sub/deep/kept.bin", "sub/gone.txt"}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        for (const char* old : {"m.qvm", "T/m.qvm", "T/sub/m.qvm", "T/.quorvel-1-2.tmp"}) {
            ::unlink(tree.path(old).c_str());
        }
        auto r = test::runChild({"/bin/bash", "-c", row.write, QUORVEL_COMPARE_BIN}, tree.root());
        ASSERT_EQ(r.exitCode, 0) << r.err;
        r = test::runChild({"/bin/bash", "-c", row.compare, QUORVEL_COMPARE_BIN}, tree.root());
        EXPECT_EQ(r.exitCode, 0) << r.out << r.err;
        std::vector<std::string> listed;
        for (const auto& line : jsonLines(tree.read(row.manifest))) {
            if (line.contains("path")) {
                listed.push_back(line["path"]);
            }
        }
        std::sort(listed.begin(), listed.end());
        EXPECT_EQ(listed, row.listed);
    }
}

struct RecordedRow {
    const char* name;
    std::string unreadable; // the path the manifest records as unreadable, errno EACCES
    bool manifestOnTheLeft;
};

TEST_F(CompanionManifestTest, AnUnreadablePathRecordedElsewhereIsNamedAsTheManifestRecordsIt) {
    const RecordedRow rows[] = {
        {"a file the tree lacks, manifest on the left", "sub/secret", true},
        {"a file the tree has, manifest on the right", "same.txt", false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        ManifestInfo info;
        info.tree = "/srv/elsewhere";
        info.date = "2026-12-08T01:00:00Z";
        std::string text = manifestHeaderLine(info);
        appendManifestUnreadableLine(text, row.unreadable, EACCES);
        ContentHash whole;
        whole.add(text);
        text += manifestTrailerLine(1, whole.digest());
        ::unlink(tree.path("m.qvm").c_str());
        tree.write("m.qvm", text);
        const std::vector<std::string> sides = row.manifestOnTheLeft
                                                   ? std::vector<std::string>{"m.qvm", "T"}
                                                   : std::vector<std::string>{"T", "m.qvm"};
        auto args = std::vector<std::string>{"--json", "-"};
        args.insert(args.end(), sides.begin(), sides.end());
        const auto r = run(args);
        EXPECT_EQ(r.exitCode, 2);
        EXPECT_EQ(r.err, "quorvel-compare: " + tree.path("m.qvm") +
                             ": recorded unreadable: " + row.unreadable + ": Permission denied\n");
        std::vector<json> trouble;
        for (const auto& line : jsonLines(r.out)) {
            if (line["type"] == "trouble") {
                trouble.push_back(line);
            }
        }
        ASSERT_EQ(trouble.size(), 1u) << r.out;
        EXPECT_EQ(trouble[0]["path"], row.unreadable);
        EXPECT_EQ(trouble[0]["manifest"], tree.path("m.qvm"));
        EXPECT_EQ(trouble[0]["error_code"], EACCES);
    }
}

TEST_F(CompanionManifestTest, APathTooLongForAManifestLineIsTroubleAndTheRestStaysReadable) {
    // 280 directories of 240 bytes: a path of 67 KB below T, made one name at a time.
    const std::string component(240, 'd');
    int dir = ::open(tree.path("T").c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
    for (int level = 0; level < 280 && dir >= 0; ++level) {
        ASSERT_EQ(::mkdirat(dir, component.c_str(), 0755), 0);
        const int next = ::openat(dir, component.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
        ::close(dir);
        dir = next;
    }
    ASSERT_GE(dir, 0);
    const int fd = ::openat(dir, "deep.txt", O_WRONLY | O_CREAT | O_CLOEXEC, 0644);
    ASSERT_GE(fd, 0);
    ::close(fd);
    ::close(dir);

    const auto r = run({"--manifest", "m.qvm", "T"});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_NE(r.err.find("/deep.txt: File name too long\n"), std::string::npos);
    const auto read = readManifestFile(tree.path("m.qvm"));
    ASSERT_TRUE(read.manifest) << (read.damage ? read.damage->reason : "");
    EXPECT_EQ(read.manifest->entries.size(), 5u);
}

// Asks to stop at one moment of a manifest's taking: as a file's hashing begins, or once its
// result is in.
class StopAt : public RunObserver {
public:
    explicit StopAt(bool once) : once_(once) {}
    void pairBegun(std::string_view) override { stopping_ = stopping_ || !once_; }
    void bytesCompared(const RunBytes&) override { stopping_ = stopping_ || once_; }
    bool mayGoOn() override { return !stopping_; }

private:
    bool once_;
    bool stopping_ = false;
};

TEST(ManifestTaking, AnInterruptSeenAtAnyMomentLeavesNoManifest) {
    test::TempTree tree;
    tree.writeSized("big", std::int64_t{8} << 20);
    for (const bool atTheEnd : {false, true}) {
        SCOPED_TRACE(atTheEnd ? "after the last file" : "while the file is hashed");
        PosixFileAccess files;
        StopAt observer(atTheEnd);
        const auto taken = takeManifest(
            files, [] { return std::make_unique<PosixFileAccess>(); }, 2, tree.root(), tree.root(),
            CompareOptions{}, observer);
        EXPECT_TRUE(taken.interrupted);
        EXPECT_TRUE(taken.text.empty());
    }
}

TEST_F(CompanionManifestTest, AnUnreadableFileIsInTheManifestAndIsTrouble) {
    if (const auto why = test::noUnprivilegedRun(tree.root())) {
        GTEST_SKIP() << "no run without privileges: " << *why;
    }
    test::openToEveryone(tree.root());
    ASSERT_EQ(::chmod(tree.path("T/grown.txt").c_str(), 0), 0);
    auto r = test::runCompanionUnprivileged({"--no-progress", "--manifest", "-", "T"}, tree.root());
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_EQ(r.err, "quorvel-compare: " + tree.path("T/grown.txt") + ": Permission denied\n");
    const auto lines = jsonLines(r.out);
    ASSERT_EQ(lines.size(), 7u);
    EXPECT_EQ(lines[2]["type"], "unreadable");
    EXPECT_EQ(lines[2]["path"], "grown.txt");
    EXPECT_EQ(lines[2]["error_code"], EACCES);

    tree.write("m.qvm", r.out);
    test::openToEveryone(tree.root());
    ASSERT_EQ(::chmod(tree.path("T/grown.txt").c_str(), 0644), 0);
    r = test::runCompanionUnprivileged({"--no-progress", "m.qvm", "T"}, tree.root());
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_NE(r.out.find("\n>>>> grown.txt: error reading 1st file!\n"), std::string::npos)
        << r.out;
}

// Overlapping patterns: a name two patterns match is compared twice, each side's files of a
// directory go pattern by pattern and those only on the right come after them.
TEST_F(CompanionManifestTest, AManifestRunListsAndCountsPairsAsADirectoryRunDoes) {
    for (const char* name : {"L/b.txt", "L/a.txt", "L/ab.log", "L/sub/az.txt", "R/a.txt",
                             "R/ab.log", "R/sub/az.txt", "R/zz.txt", "R/aa.txt", "R/sub/a0"}) {
        tree.write(name, name[0] == 'L' ? "left!" : "right"); // one size: the same words
    }
    const auto pairs = [this](const std::string& left, const std::string& right) {
        const auto r = run({"--filter", "*.txt;a*", "--json", "-", left, right});
        EXPECT_EQ(r.exitCode, 1) << r.err;
        std::vector<std::string> lines;
        for (const auto& object : jsonLines(r.out)) {
            if (object["type"] == "pair") {
                lines.push_back(object["path"].get<std::string>() + " " +
                                object["result"].get<std::string>());
            }
        }
        return std::make_pair(lines, jsonLines(r.out).back()["compared"]);
    };
    const auto live = pairs("L", "R");
    ASSERT_EQ(live.first.size(), 9u); // a.txt and sub/az.txt twice
    ASSERT_EQ(run({"--manifest", "l.qvm", "L"}).exitCode, 0);
    ASSERT_EQ(run({"--manifest", "r.qvm", "R"}).exitCode, 0);
    EXPECT_EQ(pairs("L", "r.qvm"), live);
    EXPECT_EQ(pairs("l.qvm", "R"), live);
    EXPECT_EQ(pairs("l.qvm", "r.qvm"), live);
}

} // namespace
} // namespace quorvel
