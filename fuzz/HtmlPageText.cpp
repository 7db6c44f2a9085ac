#include "fuzz/HtmlPageText.h"

#include "fuzz/FuzzCheck.h"

#include <array>
#include <cstddef>
#include <utility>

namespace quorvel::fuzz {

namespace {

constexpr std::array<std::pair<std::string_view, char>, 4> kEntities{{
    {"&quot;", '"'},
    {"&amp;", '&'},
    {"&lt;", '<'},
    {"&gt;", '>'},
}};

struct OpenTags {
    bool html = false;
    bool head = false;
    bool title = false;
    bool body = false;
    bool heading = false;
    bool paragraph = false;
    bool underlined = false;
    bool bold = false;
    bool red = false;
};

// A tag that opens or closes one of the states above.
struct Switch {
    std::string_view open;
    std::string_view close;
    bool OpenTags::*state;
};

constexpr std::array<Switch, 9> kSwitches{{
    {"<html>", "</html>", &OpenTags::html},
    {"<head>", "</head>", &OpenTags::head},
    {"<title>", "</title>", &OpenTags::title},
    {"<body>", "</body>", &OpenTags::body},
    {"<h3 align=\"center\">", "</h3>", &OpenTags::heading},
    {"<p>", "</p>", &OpenTags::paragraph},
    {"<u>", "</u>", &OpenTags::underlined},
    {"<b>", "</b>", &OpenTags::bold},
    {"<font color=\"#FF0000\">", "</font>", &OpenTags::red},
}};

class PageReader {
public:
    std::vector<PageLine> read(std::string_view page) {
        lines_.emplace_back();
        std::size_t pos = 0;
        while (pos < page.size()) {
            const char c = page[pos];
            if (c == '<') {
                const std::size_t end = page.find('>', pos);
                check(end != std::string_view::npos, "every tag is closed");
                tag(page.substr(pos, end + 1 - pos));
                pos = end + 1;
            } else if (c == '&') {
                const std::size_t end = page.find(';', pos);
                check(end != std::string_view::npos, "every & starts an entity");
                const auto decoded = decodeEntities(page.substr(pos, end + 1 - pos));
                check(decoded.has_value(), "every & starts one of the four entities");
                text(*decoded);
                pos = end + 1;
            } else if (c == '\r') {
                check(page.substr(pos, 2) == "\r\n", "a CR only comes before an LF");
                lines_.emplace_back();
                pos += 2;
            } else {
                check(c != '>' && c != '"', "no bare > or \" in the text");
                check(c != '\n', "an LF only comes after a CR");
                text(std::string_view(&page[pos], 1));
                ++pos;
            }
        }
        check(!open_.html && !open_.head && !open_.title && !open_.body && !open_.heading &&
                  !open_.paragraph && !open_.underlined && !open_.bold && !open_.red,
              "every tag opened is closed by the end");
        return std::move(lines_);
    }

private:
    void tag(std::string_view t) {
        if (t == "<br>") {
            ++lines_.back().breaks;
            return;
        }
        if (t == "<hr>") {
            ++lines_.back().rules;
            return;
        }
        if (t == "<meta charset=\"utf-8\">") {
            check(open_.head, "the character set is declared in the head");
            return;
        }
        for (const Switch& s : kSwitches) {
            if (t == s.open) {
                check(!(open_.*s.state), "a tag is not opened twice");
                open_.*s.state = true;
                return;
            }
            if (t == s.close) {
                check(open_.*s.state, "a tag is closed only when open");
                open_.*s.state = false;
                return;
            }
        }
        check(false, "the page holds only the writer's own tags");
    }

    void text(std::string_view t) {
        PageLine& line = lines_.back();
        if (line.text.empty()) {
            line.title = open_.title;
            line.heading = open_.heading;
            line.underlined = open_.underlined;
            line.bold = open_.bold;
            line.red = open_.red;
        } else {
            check(line.title == open_.title && line.heading == open_.heading &&
                      line.underlined == open_.underlined && line.bold == open_.bold &&
                      line.red == open_.red,
                  "the text of a line is shown in one style");
        }
        line.text += t;
    }

    std::vector<PageLine> lines_;
    OpenTags open_;
};

} // namespace

std::optional<std::string> decodeEntities(std::string_view text) {
    std::string out;
    std::size_t pos = 0;
    while (pos < text.size()) {
        if (text[pos] != '&') {
            out += text[pos++];
            continue;
        }
        bool known = false;
        for (const auto& [entity, c] : kEntities) {
            if (text.substr(pos).starts_with(entity)) {
                out += c;
                pos += entity.size();
                known = true;
                break;
            }
        }
        if (!known) {
            return std::nullopt;
        }
    }
    return out;
}

std::vector<PageLine> readReportPage(std::string_view page) {
    return PageReader().read(page);
}

} // namespace quorvel::fuzz
