#include "manifest/ManifestLines.h"
#include "base/FileDescriptor.h"
#include "engine/ContentHash.h"
#include "manifest/ManifestReader.h"

#include "support/TempTree.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <sstream>
#include <string>

namespace quorvel {
namespace {

const std::string kHashHex(32, 'a');

ManifestRead read(const std::string& text) {
    std::istringstream in(text);
    return readManifest(in);
}

// The lines with a trailer that counts `entries` and hashes them truly.
std::string sealed(const std::string& lines, long long entries) {
    ContentHash hash;
    hash.add(lines);
    std::string trailer = manifestTrailerLine(0, hash.digest());
    trailer.replace(trailer.find("\"entries\":0"), 11, "\"entries\":" + std::to_string(entries));
    return lines + trailer;
}

std::string headerLine(const std::string& from = {}, const std::string& to = {}) {
    ManifestInfo info;
    info.tree = "/t";
    info.date = "2026-12-08T01:00:00Z";
    std::string line = manifestHeaderLine(info);
    if (!from.empty()) {
        line.replace(line.find(from), from.size(), to);
    }
    return line;
}

std::string fileLine(const std::string& path, const std::string& size = "5",
                     const std::string& hash = kHashHex) {
    return R"({"type":"file","path":")" + path + R"(","size":)" + size +
           R"(,"mtime_ns":7,"hash":")" + hash + "\"}\n";
}

std::string unreadableLine(const std::string& path, const std::string& code) {
    return R"({"type":"unreadable","path":")" + path + R"(","error_code":)" + code + "}\n";
}

TEST(ManifestLines, WhatTheHeaderStoresComesBack) {
    const struct {
        const char* name;
        ManifestInfo info;
    } rows[] = {
        {"defaults", {1, "/srv", "*.*", "", true, "2026-12-08T01:00:00Z"}},
        {"no recursion", {1, "/srv", "*.c;*.h", "tmp", false, "2000-01-01T00:00:00Z"}},
        {"texts that need escaping", {1, "/a \"b\"\\c", "*\t*", "x\ny", true, "d"}},
        {"texts that are not UTF-8", {1, "/caf\xe9", "*.\xe9", "\xff", true, "e"}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const auto r = read(sealed(manifestHeaderLine(row.info), 0));
        ASSERT_TRUE(r.manifest) << (r.damage ? r.damage->reason : "");
        const ManifestInfo& info = r.manifest->info;
        EXPECT_EQ(info.version, 1);
        EXPECT_EQ(info.tree, row.info.tree);
        EXPECT_EQ(info.filter, row.info.filter);
        EXPECT_EQ(info.exclusions, row.info.exclusions);
        EXPECT_EQ(info.recurse, row.info.recurse);
        EXPECT_EQ(info.date, row.info.date);
        EXPECT_EQ(r.manifest->entries.size(), 0u);
    }
}

TEST(ManifestLines, EachRuleOfALineHoldsAtItsEdge) {
    const struct {
        const char* name;
        std::string header;
        std::string entries;
        long long count;
        std::size_t line; // 0: sound
        const char* reasonPart;
    } rows[] = {
        {"a size of zero", headerLine(), fileLine("a", "0"), 1, 0, ""},
        {"the largest size", headerLine(), fileLine("a", "9007199254740992"), 1, 0, ""},
        {"past the largest size", headerLine(), fileLine("a", "9007199254740993"), 1, 2,
         "larger than any file"},
        {"a negative size", headerLine(), fileLine("a", "-1"), 1, 2, "size, mtime_ns or hash"},
        {"a size in text", headerLine(), fileLine("a", "\"5\""), 1, 2, "size, mtime_ns or hash"},
        {"a short hash", headerLine(), fileLine("a", "5", kHashHex.substr(1)), 1, 2,
         "size, mtime_ns or hash"},
        {"a file named as a directory", headerLine(), fileLine("a/"), 1, 2,
         "size, mtime_ns or hash"},
        {"no path", headerLine(), "{\"type\":\"file\",\"size\":1}\n", 1, 2, "without a path"},
        {"an unknown type", headerLine(), "{\"type\":\"link\",\"path\":\"a\"}\n", 1, 2,
         "unknown type"},
        {"the lowest reason", headerLine(), unreadableLine("a/", "1"), 1, 0, ""},
        {"the highest reason", headerLine(), unreadableLine("a/", "65535"), 1, 0, ""},
        {"no reason", headerLine(), unreadableLine("a/", "0"), 1, 2, "error_code"},
        {"a reason too high", headerLine(), unreadableLine("a/", "65536"), 1, 2, "error_code"},
        {"the root unreadable", headerLine(), unreadableLine("./", "13"), 1, 0, ""},
        {"a path twice", headerLine(), fileLine("a") + fileLine("a"), 2, 3, "listed twice"},
        {"the same path as file and directory", headerLine(),
         fileLine("a") + unreadableLine("a", "2"), 2, 3, "listed twice"},
        {"a trailer counting one too many", headerLine(), fileLine("a"), 2, 3, "counts 2"},
        {"a trailer counting one too few", headerLine(), fileLine("a") + fileLine("b"), 1, 4,
         "counts 1"},
        {"a trailer counting below zero", headerLine(), "", -1, 2, "counts -1"},
        {"another hash", headerLine("xxh3-128", "md5"), "", 0, 1, "unknown hash"},
        {"a version in text", headerLine("\"version\":1", "\"version\":\"1\""), "", 0, 1,
         "version unknown"},
        {"recursion in text", headerLine("\"recurse\":true", "\"recurse\":\"yes\""), "", 0, 1,
         "lacks"},
        {"no date", headerLine(",\"date\":\"2026-12-08T01:00:00Z\"", ""), "", 0, 1, "lacks"},
        {"no tree", headerLine("\"tree\":\"/t\",", ""), "", 0, 1, "lacks"},
        {"a tree in a number", headerLine("\"tree\":\"/t\"", "\"tree\":5"), "", 0, 1, "lacks"},
        {"a filter in bytes that are not base64",
         headerLine("\"filter\":\"*.*\"", "\"filter\":\"*.*\",\"filter_bytes\":\"***\""), "", 0, 1,
         "lacks"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const auto r = read(sealed(row.header + row.entries, row.count));
        if (row.line == 0) {
            EXPECT_TRUE(r.manifest) << (r.damage ? r.damage->reason : "");
            continue;
        }
        EXPECT_FALSE(r.manifest);
        ASSERT_TRUE(r.damage);
        EXPECT_EQ(r.damage->line, row.line) << r.damage->reason;
        EXPECT_NE(r.damage->reason.find(row.reasonPart), std::string::npos) << r.damage->reason;
    }
    // A trailer without its hash, and one whose hash is not over the lines before it.
    std::string unhashed = headerLine() + "{\"type\":\"trailer\",\"entries\":0}\n";
    EXPECT_NE(read(unhashed).damage->reason.find("without its count or hash"), std::string::npos);
    std::string otherHash = headerLine() + manifestTrailerLine(0, ContentHash().digest());
    EXPECT_NE(read(otherHash).damage->reason.find("does not match"), std::string::npos);
}

TEST(ManifestLines, AFileOrAPipeIsReadWholeAFailedReadIsTheReasonAndAFifoNeverOpened) {
    test::TempTree tree;
    const std::string one = sealed(headerLine() + fileLine("a"), 1);
    tree.write("m.qvm", one);
    const ManifestRead read = readManifestFile(tree.path("m.qvm"));
    ASSERT_TRUE(read.manifest.has_value());
    EXPECT_EQ(read.manifest->entries.size(), 1u);
    EXPECT_EQ(read.errorCode, 0);
    // Opening a FIFO would wait for a writer that never comes.
    ASSERT_EQ(::mkfifo(tree.path("f.qvm").c_str(), 0600), 0);
    const ManifestRead fifo = readManifestFile(tree.path("f.qvm"));
    EXPECT_FALSE(fifo.manifest.has_value());
    EXPECT_NE(fifo.errorCode, 0);
    EXPECT_NE(readManifestFile(tree.path("missing.qvm")).errorCode, 0);

    int ends[2];
    ASSERT_EQ(::pipe(ends), 0);
    const FileDescriptor readEnd(ends[0]);
    {
        const FileDescriptor writeEnd(ends[1]);
        ASSERT_EQ(::write(writeEnd.get(), one.data(), one.size()),
                  static_cast<ssize_t>(one.size()));
    }
    const ManifestRead piped = readManifestDescriptor(readEnd.get());
    ASSERT_TRUE(piped.manifest.has_value());
    EXPECT_EQ(piped.manifest->entries.size(), 1u);
    const FileDescriptor directory(::open(tree.root().c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    ASSERT_TRUE(directory.isOpen());
    const ManifestRead unreadable = readManifestDescriptor(directory.get());
    EXPECT_FALSE(unreadable.manifest.has_value());
    EXPECT_EQ(unreadable.errorCode, EISDIR);
}

} // namespace
} // namespace quorvel
