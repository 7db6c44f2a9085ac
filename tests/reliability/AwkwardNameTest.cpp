// Names with bytes that could break a report line or smuggle markup into the HTML page.

#include "report/HtmlEscape.h"
#include "report/Utf8Conversion.h"
#include "support/Companion.h"
#include "support/EngineFixture.h"

#include <set>

namespace quorvel::test {
namespace {

using V = std::vector<std::string>;

const std::string kNfc = "caf\xc3\xa9.txt";
const std::string kNfd = "cafe\xcc\x81.txt";
const std::string kLong = std::string(251, 'n') + ".txt";

class AwkwardNameTest : public EngineFixture {
protected:
    AwkwardNameTest() {
        for (const auto& name :
             {std::string(" lead.txt"), std::string("\"quoted\" & 'single'.txt"),
              std::string("&lt;not-an-entity.txt"), std::string("<b onmouseover=alert(1)>x.txt"),
              std::string("<img src=x onerror=alert(1)>.txt"), std::string("bad\xff\xfe.txt"), kNfd,
              kNfc, std::string("cr\rname.txt"), std::string("new\nline.txt"), kLong,
              std::string("tab\there.txt")}) {
            tree.write("L/" + name, "one");
            tree.write("R/" + name, name == " lead.txt" ? "one" : "two");
        }
        tree.write("L/<u>dir &amp;/inner.txt", "one");
        tree.write("R/<u>dir &amp;/inner.txt", "one");
        // The same name in two spellings is two names.
        tree.write("L/\xc3\x85ngstr\xc3\xb6m.txt", "one");
        tree.write("R/A\xcc\x8angstro\xcc\x88m.txt", "one");
    }

    const V expectedPairs = {" lead.txt: equal.",
                             ">>>> \"quoted\" & 'single'.txt: different contents!",
                             ">>>> &lt;not-an-entity.txt: different contents!",
                             ">>>> <b onmouseover=alert(1)>x.txt: different contents!",
                             ">>>> <img src=x onerror=alert(1)>.txt: different contents!",
                             ">>>> bad\xff\xfe.txt: different contents!",
                             ">>>> " + kNfd + ": different contents!",
                             ">>>> " + kNfc + ": different contents!",
                             ">>>> cr?name.txt: different contents!",
                             ">>>> new?line.txt: different contents!",
                             ">>>> " + kLong + ": different contents!",
                             ">>>> tab?here.txt: different contents!",
                             ">>>> \xc3\x85ngstr\xc3\xb6m.txt: not found in 2nd directory!",
                             kBlockRule,
                             "SUBDIR: <u>dir &amp;",
                             kBlockRule,
                             "inner.txt: equal."};
};

TEST_F(AwkwardNameTest, NamesKeepTheirBytesExceptControlBytes) {
    ASSERT_EQ(kLong.size(), 255u);
    EXPECT_EQ(runBody(), expectedBody(expectedPairs, 14, "0.04 KB", 2, 12));
}

// Every "<" opens one of the page's own tags, and every "&" one of the four entities.
void expectNoMarkupButThePages(const std::string& page) {
    static const std::set<std::string> kTags = {"<html>",
                                                "</html>",
                                                "<head>",
                                                "</head>",
                                                "<meta charset=\"utf-8\">",
                                                "<title>",
                                                "</title>",
                                                "<body>",
                                                "</body>",
                                                "<h3 align=\"center\">",
                                                "</h3>",
                                                "<p>",
                                                "</p>",
                                                "<br>",
                                                "<hr>",
                                                "<u>",
                                                "</u>",
                                                "<font color=\"#FF0000\">",
                                                "</font>",
                                                "<b>",
                                                "</b>"};
    for (std::size_t i = 0; i < page.size(); ++i) {
        if (page[i] == '<') {
            const auto end = page.find('>', i);
            ASSERT_NE(end, std::string::npos);
            const auto tag = page.substr(i, end - i + 1);
            EXPECT_TRUE(kTags.count(tag) == 1) << tag;
            i = end;
        } else if (page[i] == '>' || page[i] == '"') {
            ADD_FAILURE() << "bare " << page[i] << " in " << page.substr(i < 40 ? 0 : i - 40, 80);
        } else if (page[i] == '&') {
            const auto entity = page.substr(i, page.find(';', i) - i + 1);
            EXPECT_TRUE(entity == "&amp;" || entity == "&lt;" || entity == "&gt;" ||
                        entity == "&quot;")
                << entity;
        }
    }
}

TEST_F(AwkwardNameTest, TheCompanionsTextAndHtmlReports) {
    tree.mkdir("out");
    const auto r = runCompanion(
        {"--one-sided", "--all", "--text", "out/report.txt", "--html", "out/report.html", "L", "R"},
        tree.root());
    EXPECT_EQ(r.exitCode, 1) << r.err;
    EXPECT_EQ(r.err, "");
    const auto text = directoryReportText(tree.path("L"), tree.path("R"),
                                          expectedBody(expectedPairs, 14, "0.04 KB", 2, 12));
    EXPECT_EQ(r.out, text);
    EXPECT_EQ(tree.read("out/report.txt"), withCrLf(text));

    const auto page = tree.read("out/report.html");
    expectNoMarkupButThePages(page);
    // Each name shows as text; a difference without its mark.
    for (const auto& line : expectedPairs) {
        const bool marked = line.starts_with(">>>> ");
        if (line == kBlockRule) {
            continue;
        }
        // The page is UTF-8 throughout: a name's other bytes show as replacement characters.
        const auto asText = [](std::string_view text) {
            return escapeHtml(replaceInvalidUtf8(text));
        };
        const auto shown =
            marked ? "<font color=\"#FF0000\"><b>" + asText(line.substr(5)) + "</b></font><br>\r\n"
            : line.starts_with("SUBDIR: ") ? "<p><u>" + asText(line) + "</u><br>\r\n"
                                           : asText(line) + "<br>\r\n";
        EXPECT_NE(page.find(shown), std::string::npos) << shown;
    }
    EXPECT_NE(page.find("&amp;lt;not-an-entity.txt"), std::string::npos);
    EXPECT_NE(page.find("&lt;img src=x onerror=alert(1)&gt;.txt"), std::string::npos);
}

} // namespace
} // namespace quorvel::test
