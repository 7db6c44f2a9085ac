#include "settings/RegFileParser.h"

#include <QStringDecoder>
#include <QStringList>

#include <utility>
#include <vector>

namespace quorvel {

namespace {

QStringView withoutCr(QStringView line) {
    return line.endsWith(u'\r') ? line.chopped(1) : line;
}

bool isHexDigit(QChar c) {
    return (c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F');
}

bool allHex(QStringView s) {
    for (QChar c : s) {
        if (!isHexDigit(c)) {
            return false;
        }
    }
    return !s.isEmpty();
}

class Parser {
public:
    // `unreadable` marks the lines that are not text.
    explicit Parser(QStringList lines, std::vector<bool> unreadable = {})
        : lines_(std::move(lines)), unreadable_(std::move(unreadable)) {}

    RegParseResult run() {
        if (lines_.isEmpty() || withoutCr(lines_.front()) != u"REGEDIT4") {
            return failed(QStringLiteral("the first line is not REGEDIT4"));
        }
        for (index_ = 1; index_ < lines_.size(); ++index_) {
            if (!parseLine()) {
                return failed(problem_);
            }
        }
        return {std::move(file_), {}};
    }

    RegParseResult salvage() {
        QString first;
        auto note = [&first, this](const QString& what) {
            if (first.isEmpty()) {
                first = QStringLiteral("line %1: %2").arg(index_ + 1).arg(what);
            }
        };
        index_ = 0;
        if (!lines_.isEmpty() && withoutCr(lines_.front()) == u"REGEDIT4") {
            index_ = 1;
        } else {
            note(QStringLiteral("the first line is not REGEDIT4"));
        }
        for (; index_ < lines_.size(); ++index_) {
            const bool header = withoutCr(lines_[index_]).trimmed().startsWith(u'[');
            if (isUnreadable(index_)) {
                note(QStringLiteral("the line is not UTF-8 text without NUL bytes"));
            } else if (parseLine()) {
                continue;
            } else {
                note(problem_);
            }
            if (header) {
                key_ = nullptr; // its values cannot be placed
            }
        }
        return {std::move(file_), first};
    }

private:
    bool isUnreadable(qsizetype index) const {
        return index < static_cast<qsizetype>(unreadable_.size()) &&
               unreadable_[static_cast<std::size_t>(index)];
    }

    RegParseResult failed(const QString& what) const {
        return {std::nullopt, QStringLiteral("line %1: %2").arg(index_ + 1).arg(what)};
    }

    bool fail(const char* what) {
        problem_ = QString::fromLatin1(what);
        return false;
    }

    bool currentLine(QStringView& line) {
        line = withoutCr(lines_[index_]);
        if (line.size() > RegFileParser::kMaxLineLength) {
            return fail("the line is too long");
        }
        return true;
    }

    bool parseLine() {
        QStringView line;
        if (!currentLine(line)) {
            return false;
        }
        line = line.trimmed();
        if (line.isEmpty()) {
            return true;
        }
        if (line.startsWith(u';')) {
            if (key_ != nullptr) {
                key_->addComment(line.toString());
            } else {
                file_.addPreambleComment(line.toString());
            }
            return true;
        }
        if (line.startsWith(u'[')) {
            return parseKeyHeader(line);
        }
        if (key_ == nullptr) {
            return fail("a value stands before the first key");
        }
        return parseValue(line);
    }

    bool parseKeyHeader(QStringView line) {
        if (!line.endsWith(u']')) {
            return fail("the key has no closing ]");
        }
        const QStringView path = line.sliced(1, line.size() - 2);
        if (path.isEmpty() || path.startsWith(u'-') || path.contains(u'[') || path.contains(u']')) {
            return fail("the key name is not valid");
        }
        for (QStringView part : path.split(u'\\')) {
            if (part.isEmpty()) {
                return fail("the key path has an empty part");
            }
        }
        key_ = &file_.ensureKey(path.toString());
        return true;
    }

    bool parseValue(QStringView line) {
        QString name;
        qsizetype pos = 0;
        if (line.startsWith(u'@')) {
            pos = 1;
        } else if (!parseQuoted(line, pos, name)) {
            return false;
        }
        QStringView rest = line.sliced(pos).trimmed();
        if (!rest.startsWith(u'=')) {
            return fail("the value name is not followed by =");
        }
        rest = rest.sliced(1).trimmed();
        RegValue value;
        if (!parseData(rest, value)) {
            return false;
        }
        key_->setValue(name, std::move(value));
        return true;
    }

    bool parseData(QStringView data, RegValue& value) {
        const QLatin1StringView expandPrefix("str(2):");
        const QLatin1StringView dwordPrefix("dword:");
        if (data.startsWith(u'"')) {
            QString text;
            if (!parseQuotedToEnd(data, text)) {
                return false;
            }
            value = RegValue::string(std::move(text));
            return true;
        }
        if (data.startsWith(expandPrefix, Qt::CaseInsensitive)) {
            QString text;
            if (!parseQuotedToEnd(data.sliced(expandPrefix.size()), text)) {
                return false;
            }
            value = RegValue::expandString(std::move(text));
            return true;
        }
        if (data.startsWith(dwordPrefix, Qt::CaseInsensitive)) {
            const QStringView digits = data.sliced(dwordPrefix.size());
            // Registry editors write eight digits but read fewer.
            if (digits.isEmpty() || digits.size() > 8 || !allHex(digits)) {
                return fail("a dword needs one to eight hexadecimal digits");
            }
            value = RegValue::dword(digits.toUInt(nullptr, 16));
            return true;
        }
        if (data.startsWith(QLatin1StringView("hex"), Qt::CaseInsensitive)) {
            return parseHex(data.sliced(3), value);
        }
        return fail("the value data is of no known form");
    }

    bool parseHex(QStringView rest, RegValue& value) {
        std::uint32_t type = RegValue::kTypeBinary;
        if (rest.startsWith(u'(')) {
            const qsizetype close = rest.indexOf(u')');
            const QStringView digits = close < 0 ? QStringView() : rest.sliced(1, close - 1);
            if (digits.size() > 8 || !allHex(digits)) {
                return fail("the hex type is not a hexadecimal number");
            }
            type = digits.toUInt(nullptr, 16);
            rest = rest.sliced(close + 1);
        }
        if (!rest.startsWith(u':')) {
            return fail("hex data needs a colon");
        }
        QString text = rest.sliced(1).trimmed().toString();
        while (text.endsWith(u'\\')) {
            text.chop(1);
            if (++index_ >= lines_.size() || isUnreadable(index_)) {
                return fail("hex data continues past the end of the file");
            }
            QStringView next;
            if (!currentLine(next)) {
                return false;
            }
            text += next.trimmed();
        }
        QByteArray bytes;
        if (!QStringView(text).trimmed().isEmpty()) {
            for (QStringView item : QStringView(text).split(u',')) {
                item = item.trimmed();
                if (item.size() != 2 || !allHex(item)) {
                    return fail("hex data holds something other than two-digit bytes");
                }
                bytes.append(static_cast<char>(item.toUInt(nullptr, 16)));
            }
        }
        value = RegValue::hex(type, std::move(bytes));
        return true;
    }

    // A quoted text with \\ and \" as its only escapes, and nothing after it.
    bool parseQuotedToEnd(QStringView s, QString& out) {
        qsizetype pos = 0;
        if (!parseQuoted(s, pos, out)) {
            return false;
        }
        if (!s.sliced(pos).trimmed().isEmpty()) {
            return fail("something follows the closing quote");
        }
        return true;
    }

    bool parseQuoted(QStringView s, qsizetype& pos, QString& out) {
        if (pos >= s.size() || s[pos] != u'"') {
            return fail("a quote is missing");
        }
        for (++pos; pos < s.size(); ++pos) {
            const QChar c = s[pos];
            if (c == u'"') {
                ++pos;
                return true;
            }
            if (c == u'\\') {
                if (pos + 1 >= s.size() || (s[pos + 1] != u'\\' && s[pos + 1] != u'"')) {
                    return fail("a backslash escapes something other than \\ or \"");
                }
                ++pos;
            }
            out += s[pos];
        }
        return fail("a string is not terminated");
    }

    QStringList lines_;
    std::vector<bool> unreadable_;
    qsizetype index_ = 0;
    RegFile file_;
    RegKey* key_ = nullptr;
    QString problem_;
};

} // namespace

RegParseResult RegFileParser::parse(const QByteArray& bytes) {
    if (bytes.contains('\0')) {
        return {std::nullopt, QStringLiteral("the file holds a NUL byte")};
    }
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = decoder.decode(bytes);
    if (decoder.hasError()) {
        return {std::nullopt, QStringLiteral("the file is not UTF-8 text")};
    }
    return Parser(text.split(u'\n')).run();
}

RegParseResult RegFileParser::salvage(const QByteArray& bytes) {
    QStringList lines;
    std::vector<bool> unreadable;
    for (const QByteArray& raw : bytes.split('\n')) {
        QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        QString line = decoder.decode(raw);
        const bool bad = decoder.hasError() || raw.contains('\0');
        lines.append(std::move(line)); // read only to tell a key line, when it is bad
        unreadable.push_back(bad);
    }
    return Parser(std::move(lines), std::move(unreadable)).salvage();
}

} // namespace quorvel
