#include "manifest/ManifestLines.h"
#include "manifest/ManifestReader.h"

#include "support/TempTree.h"

#include <gtest/gtest.h>

#include <string>

namespace quorvel {
namespace {

// A header line without its line end, `width` bytes long with blanks before the closing brace.
std::string header(std::size_t width = 0) {
    ManifestInfo info;
    info.tree = "/srv/data";
    std::string line = manifestHeaderLine(info);
    line.pop_back();
    if (width > line.size()) {
        line.insert(line.size() - 1, width - line.size(), ' ');
    }
    return line;
}

std::string withOther(std::string line, const std::string& from, const std::string& to) {
    return line.replace(line.find(from), from.size(), to);
}

TEST(ManifestFirstLine, OnlyAWholeHeaderLineMakesAFileAManifest) {
    const std::size_t limit = kManifestLineLimit;
    struct Row {
        const char* name;
        std::string content;
        bool manifest;
    };
    const Row rows[] = {
        {"header and more", header() + "\n{\"type\":\"trailer\"}\n", true},
        {"header alone", header() + "\n", true},
        {"header ended by CR LF", header() + "\r\n", true},
        {"header with no line end", header(), false},
        {"header cut short", header().substr(0, header().size() - 1) + "\n", false},
        {"header a byte under the limit", header(limit - 1) + "\n", true},
        {"header as long as the limit", header(limit) + "\n", false},
        {"another version", withOther(header(), "\"version\":1", "\"version\":7") + "\n", true},
        {"another format", withOther(header(), std::string(kManifestFormatName), "other") + "\n",
         false},
        {"another type", withOther(header(), "\"header\"", "\"trailer\"") + "\n", false},
        {"a blank first", " " + header() + "\n", false},
        {"an empty line first", "\n" + header() + "\n", false},
        {"an array", "[" + header() + "]\n", false},
        {"an empty object", "{}\n", false},
        {"empty", "", false},
    };
    test::TempTree tree;
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        tree.write("m", row.content);
        EXPECT_EQ(looksLikeManifest(tree.path("m")), row.manifest);
    }
    tree.write("real", header() + "\n");
    tree.symlink(tree.path("real"), "link");
    EXPECT_TRUE(looksLikeManifest(tree.path("link"))) << "a link to a manifest";
    tree.mkdir("dir");
    EXPECT_FALSE(looksLikeManifest(tree.path("dir")));
    EXPECT_FALSE(looksLikeManifest(tree.path("missing")));
}

} // namespace
} // namespace quorvel
