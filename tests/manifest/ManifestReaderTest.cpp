#include "manifest/ManifestReader.h"
#include "engine/ContentHash.h"
#include "manifest/ManifestLines.h"
#include "report/Base64.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <istream>
#include <sstream>
#include <string>
#include <vector>

namespace quorvel {
namespace {

constexpr Hash128 kHash{0x0123456789abcdefULL, 0xfedcba9876543210ULL};

// The lines of a manifest before its trailer; the trailer is made over them.
std::string body(const std::vector<std::string>& paths, int version = kManifestVersion) {
    ManifestInfo info;
    info.tree = "/srv/data";
    info.date = "2026-12-08T01:00:00Z";
    std::string text = manifestHeaderLine(info);
    if (version != kManifestVersion) {
        const auto at = text.find("\"version\":1");
        text.replace(at, 11, "\"version\":" + std::to_string(version));
    }
    for (const auto& path : paths) {
        if (path.back() == '/') {
            appendManifestUnreadableLine(text, path, 13);
        } else {
            appendManifestFileLine(text, path, 5, 1000, kHash);
        }
    }
    return text;
}

std::string sealed(const std::string& lines, std::size_t entries) {
    ContentHash hash;
    hash.add(lines);
    return lines + manifestTrailerLine(entries, hash.digest());
}

ManifestRead read(const std::string& text) {
    std::istringstream in(text);
    return readManifest(in);
}

TEST(ManifestReaderTest, AGoodManifestComesBackEntryForEntry) {
    const std::string latin1 = "caf\xe9.txt";
    const auto r = read(sealed(body({"./", "a.txt", latin1, "sub/", "sub/x.txt"}), 5));
    ASSERT_TRUE(r.manifest) << (r.damage ? r.damage->reason : "");
    const auto& m = *r.manifest;
    EXPECT_EQ(m.info.tree, "/srv/data");
    EXPECT_EQ(m.info.date, "2026-12-08T01:00:00Z");
    EXPECT_EQ(m.info.filter, "*.*");
    ASSERT_EQ(m.entries.size(), 5u);
    EXPECT_EQ(m.entries[0].errorCode, 13);
    EXPECT_EQ(m.entries[2].path, latin1) << "a name that is not UTF-8 is carried whole";
    EXPECT_EQ(m.entries[4].path, "sub/x.txt");
    EXPECT_EQ(m.entries[4].size, 5);
    EXPECT_EQ(m.entries[4].modifiedNanoseconds, 1000);
    EXPECT_EQ(m.entries[4].hash, kHash);
}

struct DamageRow {
    const char* name;
    std::function<std::string()> text;
    std::size_t line;
    const char* reasonPart;
};

TEST(ManifestReaderTest, EachKindOfDamageIsNamedWithItsLine) {
    const std::string good = sealed(body({"a.txt", "b.txt"}), 2);
    const DamageRow rows[] = {
        {"not JSON", [] { return sealed(body({"a.txt"}) + "{\"type\":\"file\",\n", 2); }, 3,
         "not a JSON object"},
        {"wrong version", [] { return sealed(body({"a.txt"}, 2), 1); }, 1, "version 2"},
        {"cut short before the trailer",
         [&] { return good.substr(0, good.rfind("{\"type\":\"t")); }, 4, "cut short"},
        {"cut short inside a line", [&] { return good.substr(0, good.size() - 5); }, 4,
         "cut short"},
        {"an entry edited by hand",
         [&] {
             auto text = good;
             text.replace(text.find("\"size\":5"), 8, "\"size\":6");
             return text;
         },
         4, "hash does not match"},
        {"an entry removed",
         [] {
             return body({"a.txt"}) +
                    sealed(body({"a.txt", "b.txt"}), 2)
                        .substr(sealed(body({"a.txt", "b.txt"}), 2).rfind("{\"type\":\"t"));
         },
         3, "counts 2 entries"},
        {"duplicate path",
         [] {
             return sealed(body({"a.txt", "a.txt"}), 2);
         },
         3, "listed twice"},
        {"unsorted path",
         [] {
             return sealed(body({"b.txt", "a.txt"}), 2);
         },
         3, "out of order"},
        {"a directory's files after its subdirectory",
         [] {
             return sealed(body({"sub/x.txt", "z.txt"}), 2);
         },
         3, "out of order"},
        {"a path with ..", [] { return sealed(body({"../etc/passwd"}), 1); }, 2,
         "outside the tree"},
        {"a leading /", [] { return sealed(body({"/etc/passwd"}), 1); }, 2, "outside the tree"},
        {"a line after the trailer",
         [&] { return good + good.substr(good.rfind("{\"type\":\"t")); }, 5, "after the trailer"},
        {"a size no sum of sizes holds",
         [] {
             auto text = body({"a.txt"});
             text.replace(text.find("\"size\":5"), 8, "\"size\":9223372036854775807");
             return sealed(text, 1);
         },
         2, "larger than any file"},
        {"no header", [] { return std::string("{\"type\":\"file\"}\n"); }, 1, "header"},
        {"empty", [] { return std::string(); }, 1, "no header"},
    };
    for (const auto& row : rows) {
        const auto r = read(row.text());
        EXPECT_FALSE(r.manifest) << row.name;
        if (!r.damage) {
            ADD_FAILURE() << row.name << ": taken as sound";
            continue;
        }
        EXPECT_EQ(r.damage->line, row.line) << row.name << ": " << r.damage->reason;
        EXPECT_NE(r.damage->reason.find(row.reasonPart), std::string::npos)
            << row.name << ": " << r.damage->reason;
    }
}

// A manifest's header, then one line of `lineBytes` bytes without an end, handed out as it is
// asked for; counts what was asked.
class OneLongLine : public std::streambuf {
public:
    explicit OneLongLine(std::size_t lineBytes) : left_(lineBytes) {
        const auto header = body({});
        chunk_.assign(header.begin(), header.end());
        setg(chunk_.data(), chunk_.data(), chunk_.data() + chunk_.size());
    }
    std::size_t served() const { return served_; }

protected:
    int_type underflow() override {
        if (left_ == 0) {
            return traits_type::eof();
        }
        chunk_.assign(std::min<std::size_t>(left_, 4096), 'a');
        left_ -= chunk_.size();
        served_ += chunk_.size();
        setg(chunk_.data(), chunk_.data(), chunk_.data() + chunk_.size());
        return traits_type::to_int_type(*gptr());
    }

private:
    std::size_t left_;
    std::size_t served_ = 0;
    std::vector<char> chunk_;
};

TEST(ManifestReaderTest, ALineLongerThanAllowedIsDamageReadNoFurther) {
    // A file line of exactly `bytes` bytes before its end.
    const auto fileLine = [](std::size_t bytes) {
        std::string line;
        appendManifestFileLine(line, "", 5, 1000, kHash);
        const auto fixed = line.size() - 1;
        line.clear();
        appendManifestFileLine(line, std::string(bytes - fixed, 'p'), 5, 1000, kHash);
        return line;
    };
    struct Row {
        const char* name;
        std::size_t bytes;
        bool sound;
    };
    const Row rows[] = {
        {"a line of the longest allowed", kManifestLineLimit, true},
        {"one byte longer", kManifestLineLimit + 1, false},
        {"a megabyte", std::size_t{1} << 20, false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const auto line = fileLine(row.bytes);
        ASSERT_EQ(line.size(), row.bytes + 1);
        const auto r = read(sealed(body({}) + line, 1));
        EXPECT_EQ(r.manifest.has_value(), row.sound);
        if (!row.sound) {
            ASSERT_TRUE(r.damage);
            EXPECT_EQ(r.damage->line, 2u);
            EXPECT_EQ(r.damage->reason, "a line longer than 64 KiB");
        }
    }

    OneLongLine endless(std::size_t{100} << 20);
    std::istream in(&endless);
    const auto r = readManifest(in);
    ASSERT_TRUE(r.damage);
    EXPECT_EQ(r.damage->line, 2u);
    EXPECT_LE(endless.served(), kManifestLineLimit + 8192) << "the line was read on";
}

TEST(Base64Test, DecodesWhatItEncodesAndRefusesTheRest) {
    const std::vector<std::string> samples{"",    "a",       "ab",
                                           "abc", "caf\xe9", std::string("\0\xff\x10", 3)};
    for (const auto& bytes : samples) {
        EXPECT_EQ(base64Decode(base64Encode(bytes)), bytes);
    }
    EXPECT_FALSE(base64Decode("abc"));
    EXPECT_FALSE(base64Decode("a=bc"));
    EXPECT_FALSE(base64Decode("ab!c"));
}

} // namespace
} // namespace quorvel
